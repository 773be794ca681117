#pragma once

#include "workspace/MainView.h"

#include <map>

namespace testing_support {

// The main window reduced to its state, for driving the commands without widgets.
struct FakeMainView : ravelock::MainView {
    using C = ravelock::PanelControl;
    struct Control {
        bool visible = true, readOnly = false;
        QString text = "0";
        QPoint at;
        QSize size{49, 27}; // a field's size; labels as auto-sized at design
    };
    std::map<C, Control> controls{{C::lblLeft, {.size = {34, 27}}},   {C::lblRight, {.size = {48, 27}}},
                                  {C::lblTop, {.size = {39, 27}}},    {C::lblBottom, {.size = {63, 27}}},
                                  {C::txtLeft, {}}, {C::txtRight, {}}, {C::txtTop, {}}, {C::txtBottom, {}}};
    std::map<ravelock::MenuItem, bool> menus;
    QPoint window{-1, -1};
    QSize picture;
    int textureWidth = 0, textureHeight = 0, fits = 0, ended = 0, bells = 0;
    bool painted = true;
    QString hint, message, caption;

    void SetVisible(C c, bool v) override { controls[c].visible = v; }
    void SetText(C c, const QString& t) override { controls[c].text = t; }
    void SetReadOnly(C c, bool r) override { controls[c].readOnly = r; }
    QSize ControlSize(C c) const override { return controls.at(c).size; }
    void MoveControl(C c, QPoint at) override { controls[c].at = at; }
    void SetMenuEnabled(ravelock::MenuItem m, bool e) override { menus[m] = e; }
    void SetCaption(const QString& text, bool modified) override
    {
        caption = QString(text).replace("[*]", modified ? "*" : "");
    }
    void MoveWindow(QPoint at) override { window = at; }
    QSize PictureInView() const override { return picture; }
    void FitWindowToPicture() override { ++fits; }
    void ShowHint(const QString& text) override { hint = text; }
    void ShowMessage(const QString& text) override { message = text; }
    void Bell() override { ++bells; }
    std::optional<QSize> LoadTexture(const QString&) override
    {
        picture = painted ? QSize(textureWidth, textureHeight) : QSize();
        return painted ? std::optional(picture) : std::nullopt;
    }
    void ShowDeleteDialog() override {}
    void ShowReadme() override {}
    void EndProgram() override { ++ended; }
};

} // namespace testing_support
