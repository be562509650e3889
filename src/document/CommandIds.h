#pragma once

// Identifiers of the editor's commands. Menus, keys and the toolbar name commands by
// these numbers, and every window object registers its handlers under them. The
// program's own commands are 32771 to 32776; the standard file, edit, view, window
// and help commands keep the usual numbers of the desktop convention the menus follow.
namespace CommandId {

// The program's own commands.
constexpr int NewCommand = 32771;
constexpr int NewParam = 32772;
constexpr int NewByte = 32773;
constexpr int RemoveCommand = 32774;
constexpr int RemoveParam = 32775;
constexpr int RemoveByte = 32776;

// File.
constexpr int FileNew = 57600;
constexpr int FileOpen = 57601;
constexpr int FileClose = 57602;
constexpr int FileSave = 57603;
constexpr int FileSaveAs = 57604;
constexpr int FilePrintSetup = 57606;
constexpr int FilePrint = 57607;
constexpr int FilePrintDirect = 57608;
constexpr int FilePrintPreview = 57609;
constexpr int RecentFileFirst = 57616; // the first of the recent-file entries
constexpr int RecentFileLast = 57631;  // the last number reserved for them
constexpr int RecentFileCount = 4;     // how many the list keeps

// Edit.
constexpr int EditCopy = 57634;
constexpr int EditCut = 57635;
constexpr int EditPaste = 57637;
constexpr int EditUndo = 57643;
constexpr int EditRedo = 57644;

// Window.
constexpr int WindowNew = 57648;
constexpr int WindowArrange = 57649;
constexpr int WindowCascade = 57650;
constexpr int WindowTile = 57651;

// Application and help.
constexpr int AppAbout = 57664;
constexpr int AppExit = 57665;
constexpr int HelpTopics = 57667;
constexpr int ContextHelp = 57669; // help on a clicked object
constexpr int HelpCurrent = 57670; // help on the current task
constexpr int NextPane = 57680;
constexpr int PrevPane = 57681;

// View.
constexpr int ViewToolbar = 59392;
constexpr int ViewStatusBar = 59393;

} // namespace CommandId
