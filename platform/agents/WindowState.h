#pragma once
// The top modal window as a page draws it: every visible control with its
// rectangle in pixels, kind, caption, value, items and states, as JSON. The
// web agent publishes it after every step; it reads the same platform objects
// as the terminal's text view (WindowView.h), only with more of them.
#include <string>
#include <string_view>

class CWnd;
struct CMessageBoxRequest;
struct CFileDialogRequest;

// `text` as a JSON string, quotes included. Bytes that are not valid UTF-8
// become U+FFFD, so the page always gets a document it can parse.
std::string JsonString(std::string_view text);

// {"title":..,"template":..,"kind":"dialog"|"wizard"|"tabbed","width":..,
//  "height":..,"page":{"x":..,"y":..},"tabs":[..],"activeTab":..,
//  "controls":[..],"buttons":[..]}
std::string WindowStateJson(CWnd* modal);

// {"text":..,"caption":..,"buttons":["OK",..],"default":"OK","icon":..}
std::string MessageBoxJson(const CMessageBoxRequest& request);
// {"kind":"open"|"save"|"folder","title":..,"filter":..,"fileName":..,"initialDir":..}
std::string FileDialogJson(const CFileDialogRequest& request);
// The help pop-ups of the UI log from record `from` on, as a JSON array.
std::string HelpPopupsJson(size_t from);
