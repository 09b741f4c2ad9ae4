#pragma once
// What a panel says about its fields: a line or two for the tool tip, the
// full text for What's This, the page "Help on This Calculator" shows, and
// which fields hold results worked out from which inputs. Texts are
// Windows-1252 bytes with CR LF line breaks, as the messages are.

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

struct FieldHelp {
    // What the value is, its unit and where to find it: a line or two.
    std::string brief;
    // The message a zero in the field brings, when it brings one; the full
    // text is the brief, then this.
    std::string message;

    // The brief and the message, a blank line between them:
    //   {"The speaker impedance, in ohms.", "The 'Speaker Impedance' ..."}
    //     -> "The speaker impedance, in ohms.\r\n\r\nThe 'Speaker Impedance' ..."
    //   {"For your reference only.", ""} -> "For your reference only."
    std::string full() const;
};

// One field on a calculator's help page: its caption and its help.
struct HelpEntry {
    std::string caption;
    FieldHelp help;
};

// How a value entered as 0 asks for help, and what Engineering notation
// reads: the closing paragraphs of every help page.
const std::string& HelpOnZeroText();
const std::string& NotationHelpText();

// A calculator's help page: its title, what it does, each field's caption
// with its full help, indented, then the closing paragraphs:
//   ("RC Stage Gain", "The gain of ...", {{"Wanted Gain", {"The gain ...", ""}}})
//     -> "RC Stage Gain\r\n\r\nThe gain of ...\r\n\r\nWanted Gain\r\n    The gain ...
//         \r\n\r\nHelp on a value\r\n..."
// Each line of a field's help is indented by four spaces; blank lines stay
// blank.
std::string HelpPage(std::string_view title, std::string_view purpose,
                     const std::vector<HelpEntry>& entries);

// Which fields hold the results a Calculate writes, and which fields those
// results are worked out from (indices of the panel's fields).
struct ResultDependence {
    std::vector<int> results;
    std::vector<int> inputs;
};

}  // namespace korvane
