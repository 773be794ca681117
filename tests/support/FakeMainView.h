#pragma once

#include "workspace/MainView.h"

#include <functional>
#include <map>

namespace testing_support {

// The main window reduced to its state, for driving the commands without widgets.
struct FakeMainView : ravelock::MainView {
    using C = ravelock::PanelControl;
    struct Control {
        bool visible = true, readOnly = false;
        QString text = "0";
        float left = 0, top = 0, width = 735, height = 405; // a field's size; labels as auto-sized at design
    };
    std::map<C, Control> controls{{C::lblLeft, {.width = 510}}, {C::lblRight, {.width = 720}}, {C::lblTop, {.width = 585}},
                                  {C::lblBottom, {.width = 945}}, {C::txtLeft, {}}, {C::txtRight, {}}, {C::txtTop, {}}, {C::txtBottom, {}}};
    std::map<ravelock::MenuItem, bool> menus;
    float windowLeft = -1, windowTop = -1, pictureWidth = 0, pictureHeight = 0;
    int textureWidth = 0, textureHeight = 0, fits = 0, ended = 0, bells = 0;
    bool painted = true;
    std::function<void()> whilePainting;
    QString hint, message, caption;

    void SetVisible(C c, bool v) override { controls[c].visible = v; }
    void SetText(C c, const QString& t) override { controls[c].text = t; }
    void SetReadOnly(C c, bool r) override { controls[c].readOnly = r; }
    float Left(C c) const override { return controls.at(c).left; }
    float Width(C c) const override { return controls.at(c).width; }
    float Height(C c) const override { return controls.at(c).height; }
    void SetLeft(C c, float t) override { controls[c].left = t; }
    void SetTop(C c, float t) override { controls[c].top = t; }
    void SetMenuEnabled(ravelock::MenuItem m, bool e) override { menus[m] = e; }
    void SetCaption(const QString& text, bool modified) override
    {
        caption = QString(text).replace("[*]", modified ? "*" : "");
    }
    void SetWindowLeft(float t) override { windowLeft = t; }
    void SetWindowTop(float t) override { windowTop = t; }
    float PictureWidth() const override { return pictureWidth; }
    float PictureHeight() const override { return pictureHeight; }
    void FitWindowToPicture() override { ++fits; }
    void ShowHint(const QString& text) override { hint = text; }
    void ShowMessage(const QString& text) override { message = text; }
    void Bell() override { ++bells; }
    bool LoadTexture(const QString&, std::int32_t& height, std::int32_t& width) override
    {
        std::tie(height, width) = std::pair(textureHeight, textureWidth);
        if (whilePainting)
            whilePainting();
        std::tie(pictureWidth, pictureHeight) = painted ? std::pair(textureWidth * 15.0f, textureHeight * 15.0f) : std::pair(0.0f, 0.0f);
        return painted;
    }
    void ShowDeleteDialog() override {}
    void ShowReadme() override {}
    void EndProgram() override { ++ended; }
};

} // namespace testing_support
