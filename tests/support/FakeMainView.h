#pragma once

#include "workspace/MainView.h"
#include "workspace/MenuRules.h"

#include <map>

namespace testing_support {

// The main window reduced to what the commands show on it.
struct FakeMainView : ravelock::MainView {
    std::map<ravelock::MenuItem, bool> menus;
    std::map<ravelock::MenuItem, QString> texts;
    bool panel = true;
    QString corners = "?", hint, message, caption;
    int textureWidth = 0, textureHeight = 0, fits = 0, ended = 0, bells = 0;
    bool painted = true;

    void ShowPanel(bool shown) override { panel = shown; }
    // corners: "left,top right,bottom", with empty fields empty; caption: the unsaved mark as "*".
    void ShowState(const ravelock::Workspace& ws) override
    {
        const auto text = [](std::optional<QPoint> p) { return p ? QString("%1,%2").arg(p->x()).arg(p->y()) : ","; };
        corners = text(ws.picking.First()) + " " + text(ws.picking.Second());
        for (const auto& [item, enabled] : ravelock::MenuStates(ws))
            menus[item] = enabled;
        for (const auto& [item, words] : ravelock::MenuTexts(ws))
            texts[item] = words;
        caption = ravelock::Caption(ws).replace("[*]", ws.Saved() ? "" : "*");
    }
    void FitWindowToPicture() override { ++fits; }
    void ShowHint(const QString& text) override { hint = text; }
    void ShowMessage(const QString& text) override { message = text; }
    void Bell() override { ++bells; }
    std::optional<QSize> LoadTexture(const QString&) override
    {
        return painted ? std::optional(QSize(textureWidth, textureHeight)) : std::nullopt;
    }
    void ShowDeleteDialog() override {}
    void ShowReadme() override {}
    void EndProgram() override { ++ended; }
};

} // namespace testing_support
