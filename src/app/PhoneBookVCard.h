// Phone books as vCard files, one card per entry. A card's name is its FN,
// else the parts of its N, else its ORG; its number is the TEL typed as a
// fax (a work fax before others), else its first TEL. Values may be
// quoted-printable with a CHARSET (2.1) and hold escaped commas, semicolons,
// backslashes and line breaks (3.0, 4.0); "tel:" numbers (4.0) lose the scheme.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/PhoneBookEntry.h"

namespace vl::app {

// Reads the bytes (see ImportedText for the encodings). A card with neither
// a name nor a number, or without its END:VCARD, is skipped and said, by
// the line of its BEGIN:VCARD. Cards inside cards (2.1 AGENT) are passed
// over. A blank file is an empty phone book, as an empty one is written.
// Returns 0, or ecBadArgument with error set when there is no card.
int ReadPhoneBookVCard(std::string_view bytes, PhoneBookRows& rows, std::string& error);

// A vCard 3.0 card per entry: FN, N (the whole name as the family name, as
// a name in one piece cannot be split surely) and, for a number,
// TEL;TYPE=WORK,FAX. Lines end in CR LF and are folded at 75 bytes, never
// inside a character.
std::string PhoneBookVCardText(const std::vector<PhoneBookEntry>& entries);

}  // namespace vl::app
