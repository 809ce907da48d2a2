#pragma once
// What the diary does with its files before it writes any. Before a window
// shows: carry the diary to the per-user folder the first time it lives
// there, read the settings, check that the data folder can be listed, take
// the data folder's lock (a diary open elsewhere ends this one), clear what
// a crash left behind. When the main window loads (after the password,
// so backing out of the login writes nothing, and once its editor exists):
// make the data folder when it is missing. Once the window shows: the day's backup, on a
// worker, whose failure is told but never stops the diary. A step that finds a file
// it cannot trust tells the user and ends the program before anything is
// written.
namespace app {

class Pisarion;

// False when the program has been ended (the user was told why).
bool prepareDiaryFiles(Pisarion& app);
bool prepareToWrite(Pisarion& app);
void startDailyBackup(Pisarion& app);

}  // namespace app
