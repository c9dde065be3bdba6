#pragma once
#include "platform/ErrorReporter.h"

#include <QPointer>
#include <QWidget>

namespace kv {

// Shows what core code reports as message boxes on screen.
class QtErrorReporter final : public ErrorReporter {
  public:
    // The owner of the boxes: the main window once it exists.
    void setOwner(QWidget* owner) { m_owner = owner; }

    void critical(const std::string& text) override;
    MessageResult messageBox(MessageButtons buttons, MessageIcon icon, const std::string& title,
                             const std::string& text, MessageResult defaultResult) override;
    void beep() override;

  private:
    QPointer<QWidget> m_owner;
};

} // namespace kv
