// The data folder and the fixed folders and files inside it. Every folder name
// ends in "/"; no path depends on the current directory.
#pragma once

#include <string>
#include <string_view>

namespace vl::app {

// $VELLORA_HOME when set and not empty (made absolute), else
// $XDG_DATA_HOME/vellora/ when that is an absolute path, else
// ~/.local/share/vellora/.
std::string ProgramFolder();
// ProgramFolder() + name (a file, or a folder ending in "/"), matched without
// regard to letter case: the spelling on disk when there is one ("send/"
// copied from another system), else the name as given.
std::string ProgramFile(std::string_view name);
std::string SendFolder();      // ProgramFile("SEND/")
std::string ReceiveFolder();   // ProgramFile("RECEIVE/")
std::string CoversFolder();    // ProgramFile("Covers/")
std::string SettingsFileName();  // ProgramFile("VL.INI")

// The folder of the running program file, ending in "/".
std::string ExecutableFolder();

// The read-only files shipped with the program (default cover templates):
// share/vellora/ beside the installed program's bin/ folder, or, for a
// program run from its build tree, the build tree's share/vellora/.
std::string SharedFolder();

// Creates the folder and any missing parents. One trailing "/" is ignored;
// paths of two characters or fewer are taken as existing. True when the
// folder exists afterwards.
bool ForceFolders(const std::string& path);

// Creates the program folder, SEND and RECEIVE when missing; failures are
// ignored here and show up later in whatever writes into them.
void EnsureFaxFolders();

}  // namespace vl::app
