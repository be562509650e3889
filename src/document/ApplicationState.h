#pragma once

class Command;
class QPrinter;

// What the panes of a document window take from the application object: the command
// clipboard shared by every document, the identifiers handed to property grids, the
// grids' tool-tip setting, the printer and the preview setting. The application
// implements it; a document window hands it to its panes, so that panes never
// depend on the application itself.
class ApplicationState {
public:
    virtual ~ApplicationState() = default;

    // The command clipboard; it always holds a command.
    virtual Command& ClipCommand() = 0;
    // The identifier for the next property grid; each call hands out a new one.
    virtual int TakeNextGridId() = 0;
    // Whether grids show tool tips for their cells.
    virtual bool GridToolTips() const = 0;
    // The printer of the run with the settings the user chose in Print Setup; every
    // print job and preview uses it, so a choice holds until it is changed.
    virtual QPrinter& Printer() = 0;
    // How many pages print preview showed side by side when the user closed it; the
    // application keeps it as a setting.
    virtual void SetPreviewPages(int pages) = 0;
};
