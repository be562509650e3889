#include "MonkeyAction.h"

#include <array>
#include <random>
#include <sstream>

namespace {

struct KindInfo {
    MonkeyAction::Kind kind;
    const char* name;
    int weight;
};

using Kind = MonkeyAction::Kind;

// Editing in the panes outweighs managing files and windows, as with a real user.
constexpr std::array kKinds = {
    KindInfo{Kind::FileNew, "FileNew", 2},
    KindInfo{Kind::FileOpen, "FileOpen", 2},
    KindInfo{Kind::FileClose, "FileClose", 1},
    KindInfo{Kind::FileSave, "FileSave", 3},
    KindInfo{Kind::FileSaveAs, "FileSaveAs", 1},
    KindInfo{Kind::WindowNew, "WindowNew", 2},
    KindInfo{Kind::CloseWindow, "CloseWindow", 1},
    KindInfo{Kind::ActivateWindow, "ActivateWindow", 3},
    KindInfo{Kind::ArrangeWindows, "ArrangeWindows", 1},
    KindInfo{Kind::Resize, "Resize", 1},
    KindInfo{Kind::NextPane, "NextPane", 2},
    KindInfo{Kind::OutsideChange, "OutsideChange", 1},
    KindInfo{Kind::MenuCommand, "MenuCommand", 2},
    KindInfo{Kind::TreeClick, "TreeClick", 8},
    KindInfo{Kind::TreeKey, "TreeKey", 6},
    KindInfo{Kind::NewCommand, "NewCommand", 3},
    KindInfo{Kind::TreeCopy, "TreeCopy", 2},
    KindInfo{Kind::TreeCut, "TreeCut", 2},
    KindInfo{Kind::TreePaste, "TreePaste", 3},
    KindInfo{Kind::RemoveCommand, "RemoveCommand", 2},
    KindInfo{Kind::CellClick, "CellClick", 8},
    KindInfo{Kind::CellDoubleClick, "CellDoubleClick", 3},
    KindInfo{Kind::GridKey, "GridKey", 8},
    KindInfo{Kind::TypeText, "TypeText", 8},
    KindInfo{Kind::CellCopy, "CellCopy", 2},
    KindInfo{Kind::CellCut, "CellCut", 2},
    KindInfo{Kind::CellPaste, "CellPaste", 3},
    KindInfo{Kind::NewParam, "NewParam", 2},
    KindInfo{Kind::NewByte, "NewByte", 2},
    KindInfo{Kind::RemoveParam, "RemoveParam", 2},
    KindInfo{Kind::RemoveByte, "RemoveByte", 2},
    KindInfo{Kind::Undo, "Undo", 5},
    KindInfo{Kind::Redo, "Redo", 3},
};

const KindInfo& Info(Kind kind) {
    for (const KindInfo& info : kKinds) {
        if (info.kind == kind) {
            return info;
        }
    }
    return kKinds.front();
}

} // namespace

std::string MonkeyAction::ToText() const {
    return std::string(Info(kind).name) + " " + std::to_string(a) + " " + std::to_string(b) + " " +
           std::to_string(answers);
}

std::optional<MonkeyAction> MonkeyAction::FromText(const std::string& line) {
    std::istringstream in(line);
    std::string name;
    MonkeyAction action{Kind::FileNew};
    if (!(in >> name >> action.a >> action.b >> action.answers)) {
        return std::nullopt;
    }
    for (const KindInfo& info : kKinds) {
        if (name == info.name) {
            action.kind = info.kind;
            return action;
        }
    }
    return std::nullopt;
}

std::vector<MonkeyAction> RandomActions(std::uint64_t number, int count) {
    std::mt19937_64 random(number);
    int total = 0;
    for (const KindInfo& info : kKinds) {
        total += info.weight;
    }
    std::vector<MonkeyAction> actions;
    actions.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        int pick = static_cast<int>(random() % static_cast<std::uint64_t>(total));
        Kind kind = kKinds.front().kind;
        for (const KindInfo& info : kKinds) {
            if (pick < info.weight) {
                kind = info.kind;
                break;
            }
            pick -= info.weight;
        }
        MonkeyAction action{kind};
        action.a = static_cast<std::uint32_t>(random());
        action.b = static_cast<std::uint32_t>(random());
        action.answers = static_cast<std::uint32_t>(random());
        actions.push_back(action);
    }
    return actions;
}

std::string ActionsToText(const std::vector<MonkeyAction>& actions) {
    std::string text;
    for (const MonkeyAction& action : actions) {
        text += action.ToText() + "\n";
    }
    return text;
}

std::optional<std::vector<MonkeyAction>> ActionsFromText(const std::string& text) {
    std::vector<MonkeyAction> actions;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) {
            continue;
        }
        std::optional<MonkeyAction> action = MonkeyAction::FromText(line);
        if (!action) {
            return std::nullopt;
        }
        actions.push_back(*action);
    }
    return actions;
}
