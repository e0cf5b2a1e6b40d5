// The sidecar the printer driver writes beside each fax file it prints
// (same name, extension ".kqd"): three text lines, the fax number, the
// recipient and the subject.
#pragma once

#include <string>
#include <string_view>

namespace vl::app {

struct PrinterDriverSidecar {
    std::string phone, recipient, subject;  // UTF-8
};

// Lines may end in LF, CR LF or CR; missing lines are empty; a line that is
// not UTF-8 is read as Windows-1252. A UTF-8 byte order mark is dropped.
PrinterDriverSidecar ParseSidecar(std::string_view bytes);

// The sidecar file, at most its first 64 KiB; empty fields when it cannot be read.
PrinterDriverSidecar ReadSidecar(const std::string& path);

// The bytes of a sidecar for UTF-8 fields: three LF-ended lines. A line end
// inside a field becomes a blank, so that no field spills into the next
// line, and a character the outgoing table cannot store becomes "?";
// ParseSidecar gives the fields back as written.
std::string SidecarText(const PrinterDriverSidecar& fields);

// Writes SidecarText to the path through a temporary file, so that a reader
// finds the whole sidecar or none; throws std::system_error.
void WriteSidecar(const std::string& path, const PrinterDriverSidecar& fields);

}  // namespace vl::app
