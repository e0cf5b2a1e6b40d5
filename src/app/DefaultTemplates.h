// The cover templates shipped with the program, copied into the user's
// covers folder so that the editor has templates to offer from the start.
#pragma once

#include <string>

namespace vl::app {

// Copies every template of shippedFolder whose render file (".fct") the covers
// folder lacks in any letter case: all the files of its base name, the
// render file last, so that a copy cut short is taken up again next time. A
// template that is there is never touched, even when the user changed it.
// Returns 0 or the negative I/O code of the first file that could not be
// copied, after trying the rest.
int CopyMissingTemplates(const std::string& shippedFolder, const std::string& coversFolder);

// The shipped templates into CoversFolder(), which is created when missing.
// Failures show up later, as a template list without them.
void InstallDefaultTemplates();

}  // namespace vl::app
