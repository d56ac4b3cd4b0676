#pragma once

#include "core/ascii_text.h"

#include <string>
#include <string_view>
#include <vector>

// The text form of the settings files: "[Section]" lines, each followed by "Key=Value" lines.
// Sections and keys are compared without regard to (ASCII) case. A name or value that would not
// read back exactly as plain text (leading or trailing blanks, a leading quote, a line break or
// another control character; for names also "=", "[", ";" or "#" where they would be misread)
// is written in double quotes with backslash escapes (\\ \" \n \r \t \xHH); everything else is
// written as it stands, so a file stays easy to read and edit by hand.
//
// Reading is a pure function and never fails: blank lines and lines starting with ";" or "#"
// are comments, and a line that cannot be read (or a value before the first section) is skipped.
// A section that appears twice is one section; of a key that appears twice the first counts.
// Comment lines are a technician's notes: each is kept with the entry or section that follows it
// (or the end of the file) and written back there, so the program's writes never lose them.
namespace kestova {

using IniComments = std::vector<std::string>;

struct IniEntry {
    std::string key;
    std::string value;
    IniComments comments;  // the comment lines above it
};

struct IniSection {
    std::string name;
    std::vector<IniEntry> entries;
    IniComments comments;  // the comment lines above its "[name]" line
};

class IniDocument {
public:
    static IniDocument Parse(std::string_view text);
    std::string Serialize() const;

    const std::vector<IniSection>& sections() const { return sections_; }
    const IniSection* findSection(std::string_view name) const;
    const std::string* findValue(std::string_view section, std::string_view key) const;

    // Adds the section when it is missing; an existing one keeps its spelling.
    IniSection& ensureSection(std::string_view name);
    // Sets the value, adding the section and the key as needed; an existing key keeps its
    // spelling.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes the key; false when there was none. Its comments go to what follows it.
    bool eraseValue(std::string_view section, std::string_view key);

private:
    std::vector<IniSection> sections_;
    IniComments trailingComments_;  // after the last entry of the file
};

}  // namespace kestova
