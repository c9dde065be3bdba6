#pragma once
// Cut, Copy, Copy Merged and Paste. The picture a copy takes and the way a
// paste writes it follow the main view's channel mode.
namespace kv {

class CommandHost;
class FormatLibrary;

inline constexpr const char* kNothingToPaste = "The clipboard holds no picture that can be pasted";

class ClipboardCommands {
  public:
    ClipboardCommands(CommandHost& host, FormatLibrary& formats)
        : m_host(host), m_formats(formats) {}

    // An active selection and a visible current layer (Cut, Copy and Copy
    // Merged alike).
    bool canCopy() const;
    // Something usable on the clipboard; outside normal mode the paste goes
    // into the current layer, which must be a raster layer.
    bool canPaste() const;

    // Beep without an active selection and a visible current layer.
    bool copy();
    bool copyMerged();
    bool cut();
    bool paste();

  private:
    bool copyFrom(bool merged);

    CommandHost& m_host;
    FormatLibrary& m_formats;
};

} // namespace kv
