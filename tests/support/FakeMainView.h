#pragma once

#include "workspace/MainView.h"

#include <QString>

#include <functional>
#include <map>

namespace testing_support {

// The main window reduced to its state, for driving the commands without Qt Widgets.
class FakeMainView : public ravelock::MainView {
public:
    struct Control {
        bool visible = true;
        bool readOnly = false;
        QString text = QStringLiteral("0");
        float left = 0, top = 0, width = 0, height = 0;
    };

    FakeMainView()
    {
        using C = ravelock::PanelControl;
        // Label widths as auto-sized on the machine the window was designed on.
        controls[C::lblLeft].width = 510;
        controls[C::lblRight].width = 720;
        controls[C::lblTop].width = 585;
        controls[C::lblBottom].width = 945;
        for (C label : {C::lblLeft, C::lblRight, C::lblTop, C::lblBottom})
            controls[label].height = 360;
        for (C field : {C::txtLeft, C::txtRight, C::txtTop, C::txtBottom}) {
            controls[field].width = 735;
            controls[field].height = 405;
        }
        for (int i = 0; i <= static_cast<int>(ravelock::MenuItem::mnuHelpReadme); ++i)
            menus[static_cast<ravelock::MenuItem>(i)] = true;
    }

    void SetVisible(ravelock::PanelControl c, bool v) override { controls[c].visible = v; }
    void SetText(ravelock::PanelControl c, const QString& t) override { controls[c].text = t; }
    QString Text(ravelock::PanelControl c) const override { return controls.at(c).text; }
    void SetReadOnly(ravelock::PanelControl c, bool r) override { controls[c].readOnly = r; }
    float Left(ravelock::PanelControl c) const override { return controls.at(c).left; }
    float Top(ravelock::PanelControl c) const override { return controls.at(c).top; }
    float Width(ravelock::PanelControl c) const override { return controls.at(c).width; }
    float Height(ravelock::PanelControl c) const override { return controls.at(c).height; }
    void SetLeft(ravelock::PanelControl c, float t) override { controls[c].left = t; }
    void SetTop(ravelock::PanelControl c, float t) override { controls[c].top = t; }
    void SetMenuEnabled(ravelock::MenuItem m, bool e) override { menus[m] = e; }
    bool MenuEnabled(ravelock::MenuItem m) const override { return menus.at(m); }
    void SetWindowLeft(float t) override { windowLeft = t; }
    void SetWindowTop(float t) override { windowTop = t; }
    void SetOuterHeight(float t) override { outerHeight = t; }
    void SetOuterWidth(float t) override { outerWidth = t; }
    void LoadTexture(const QString& path, std::int32_t& height, std::int32_t& width) override
    {
        loadedPaths.push_back(path);
        if (onLoad)
            onLoad(height, width);
    }
    void ShowDeleteDialog() override { ++deleteDialogs; }
    void ShowReadme() override { ++readmes; }
    void EndProgram() override { ++ended; }

    std::map<ravelock::PanelControl, Control> controls;
    std::map<ravelock::MenuItem, bool> menus;
    float windowLeft = -1, windowTop = -1, outerHeight = -1, outerWidth = -1;
    std::function<void(std::int32_t&, std::int32_t&)> onLoad;
    std::vector<QString> loadedPaths;
    int deleteDialogs = 0;
    int readmes = 0;
    int ended = 0;
};

} // namespace testing_support
