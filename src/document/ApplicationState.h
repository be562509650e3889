#pragma once

class Command;

// What the panes of a document window take from the application object: the command
// clipboard shared by every document, the identifiers handed to property grids, and
// the grids' tool-tip setting. The application implements it; a document window hands
// it to its panes, so that panes never depend on the application itself.
class ApplicationState {
public:
    virtual ~ApplicationState() = default;

    // The command clipboard; it always holds a command.
    virtual Command& ClipCommand() = 0;
    // The identifier for the next property grid; each call hands out a new one.
    virtual int TakeNextGridId() = 0;
    // Whether grids show tool tips for their cells.
    virtual bool GridToolTips() const = 0;
};
