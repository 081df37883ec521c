// Conversions between the engine's 8-bit strings and wx strings. Panel texts (titles, gauge names)
// are the simulator's 8-bit text, taken as Latin-1 so every byte survives the round trip; file
// paths are in the file system's encoding.
#pragma once

#include <wx/string.h>

#include <string>

inline wxString FromPanelText(const std::string& s) {
    return wxString(s.c_str(), wxConvISO8859_1, s.size());
}
inline std::string ToPanelText(const wxString& s) {
    wxCharBuffer b = s.mb_str(wxConvISO8859_1);
    return b.data() ? std::string(b.data(), b.length()) : std::string();
}
inline wxString FromPath(const std::string& s) {
    wxString out(s.c_str(), *wxConvFileName);
    return out.empty() && !s.empty() ? FromPanelText(s) : out;
}
inline std::string ToPath(const wxString& s) {
#ifdef __WINDOWS__
    // Windows' file names are wide; the engine takes them in the ANSI code page, as the C library does.
    wxCharBuffer b = s.mb_str(wxConvLibc);
#else
    wxCharBuffer b = s.fn_str();
#endif
    return b.data() ? std::string(b.data()) : std::string();
}

// Messages mix file paths (UTF-8 on most systems) with panel texts (8-bit): UTF-8 when the bytes
// are valid UTF-8, else Latin-1, so no message ever comes out empty.
inline wxString FromMessageText(const std::string& s) {
    wxString utf8 = wxString::FromUTF8(s.c_str(), s.size());
    return utf8.empty() && !s.empty() ? FromPanelText(s) : utf8;
}
