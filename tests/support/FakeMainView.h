#pragma once

#include "workspace/MainView.h"

#include <QString>

#include <functional>
#include <map>

namespace testing_support {

// The main window reduced to its state, for driving the commands without widgets.
class FakeMainView : public ravelock::MainView {
public:
    struct Control {
        bool visible = true;
        bool readOnly = false;
        QString text = QStringLiteral("0");
        float left = 0, top = 0, width = 735, height = 405;
    };

    FakeMainView()
    {
        using C = ravelock::PanelControl;
        // Label widths as auto-sized where the window was designed.
        for (auto [label, width] : {std::pair{C::lblLeft, 510}, {C::lblRight, 720}, {C::lblTop, 585}, {C::lblBottom, 945}})
            controls[label] = {.width = float(width), .height = 360};
        for (int i = 0; i <= static_cast<int>(ravelock::MenuItem::mnuHelpReadme); ++i)
            menus[static_cast<ravelock::MenuItem>(i)] = true;
    }

    void SetVisible(ravelock::PanelControl c, bool v) override { controls[c].visible = v; }
    void SetText(ravelock::PanelControl c, const QString& t) override { controls[c].text = t; }
    void SetReadOnly(ravelock::PanelControl c, bool r) override { controls[c].readOnly = r; }
    float Left(ravelock::PanelControl c) const override { return controls.at(c).left; }
    float Width(ravelock::PanelControl c) const override { return controls.at(c).width; }
    float Height(ravelock::PanelControl c) const override { return controls.at(c).height; }
    void SetLeft(ravelock::PanelControl c, float t) override { controls[c].left = t; }
    void SetTop(ravelock::PanelControl c, float t) override { controls[c].top = t; }
    void SetMenuEnabled(ravelock::MenuItem m, bool e) override { menus[m] = e; }
    void SetWindowLeft(float t) override { windowLeft = t; }
    void SetWindowTop(float t) override { windowTop = t; }
    float PictureWidth() const override { return pictureWidth; }
    float PictureHeight() const override { return pictureHeight; }
    void FitWindowToPicture() override { ++fits; }
    void ShowHint(const QString& text) override { hint = text; }
    void ShowMessage(const QString& text) override { message = text; }
    bool LoadTexture(const QString&, std::int32_t& height, std::int32_t& width) override
    {
        height = textureHeight;
        width = textureWidth;
        if (whilePainting)
            whilePainting();
        if (painted) {
            pictureWidth = float(textureWidth * 15);
            pictureHeight = float(textureHeight * 15);
        }
        return painted;
    }
    void ShowDeleteDialog() override { ++deleteDialogs; }
    void ShowReadme() override { ++readmes; }
    void EndProgram() override { ++ended; }

    std::map<ravelock::PanelControl, Control> controls;
    std::map<ravelock::MenuItem, bool> menus;
    float windowLeft = -1, windowTop = -1, pictureWidth = 0, pictureHeight = 0;
    int textureWidth = 0, textureHeight = 0;
    bool painted = true;
    std::function<void()> whilePainting;
    QString hint, message;
    int fits = 0, deleteDialogs = 0, readmes = 0, ended = 0;
};

} // namespace testing_support
