#pragma once
#include "platform/ErrorReporter.h"

#include <QDialog>

class QPushButton;

namespace kv {

// The program's modal message box: an icon, a text and one of four button
// sets. Only one can be open at a time.
class MessageBoxDialog : public QDialog {
    Q_OBJECT
  public:
    MessageBoxDialog(QWidget* parent, MessageButtons buttons, MessageIcon icon,
                     const QString& title, const QString& text, MessageResult defaultResult);

    MessageResult result() const { return m_result; }
    // The button that answers `result`, or null when the set has none.
    QPushButton* button(MessageResult result) const;

    // Shows the box and waits; returns None at once when a box is already open.
    static MessageResult ask(QWidget* parent, MessageButtons buttons, MessageIcon icon,
                             const QString& title, const QString& text,
                             MessageResult defaultResult);
    static bool isOpen() { return s_open; }

  protected:
    void reject() override;

  private:
    void addButton(const char* text, MessageResult result);
    MessageResult m_result = MessageResult::None;
    MessageResult m_escapeResult = MessageResult::None;
    std::vector<std::pair<QPushButton*, MessageResult>> m_buttons;
    static bool s_open;
};

} // namespace kv
