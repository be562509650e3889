#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One thing a random user does. Its numbers choose among what exists when it runs
// (the window, the item, the key, the text), so that an action means something in
// any state and a sequence still replays after actions before it are taken out.
struct MonkeyAction {
    enum class Kind {
        // Documents and windows.
        FileNew,
        FileOpen,
        FileClose,
        FileSave,
        FileSaveAs,
        WindowNew,
        CloseWindow,
        ActivateWindow,
        ArrangeWindows,
        Resize,
        NextPane,
        OutsideChange,
        MenuCommand, // one of the menus' other commands
        // The tree.
        TreeClick,
        TreeKey,
        NewCommand,
        TreeCopy,
        TreeCut,
        TreePaste,
        RemoveCommand,
        // The grid.
        CellClick,
        CellDoubleClick,
        GridKey,
        TypeText,
        CellCopy,
        CellCut,
        CellPaste,
        NewParam,
        NewByte,
        RemoveParam,
        RemoveByte,
        // The history.
        Undo,
        Redo,
    };

    Kind kind;
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    // Chooses the answers to the questions and file dialogs the action brings up.
    std::uint32_t answers = 0;

    // "Name a b answers", the form a replay is written in.
    std::string ToText() const;
    static std::optional<MonkeyAction> FromText(const std::string& line);
};

// The first `count` actions of random sequence `number`, the common kinds more often.
std::vector<MonkeyAction> RandomActions(std::uint64_t number, int count);

// One action per line; nothing when a line is not an action.
std::string ActionsToText(const std::vector<MonkeyAction>& actions);
std::optional<std::vector<MonkeyAction>> ActionsFromText(const std::string& text);
