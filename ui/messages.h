#pragma once
// The one way every handler talks to the user: an OK box, a Yes/No
// question, or the Save/Discard/Cancel question before a design's changes
// would be lost. The window uses modal boxes; tests stand in for the user.

#include <QString>

class QWidget;

namespace korvane {

// The answers to "save the changes first?".
enum class SaveAnswer { Save, Discard, Cancel };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // A box with an OK button; returns when it is closed.
    virtual void showMessage(const QString& text) = 0;
    // A box with Yes and No buttons; true for Yes.
    virtual bool askYesNo(const QString& question) = 0;
    // A box with Save, Discard and Cancel buttons; Escape is Cancel.
    virtual SaveAnswer askSaveDiscardCancel(const QString& question) = 0;
};

// Modal boxes with no icon, titled "Korvane". A CR LF in a text is one
// line break.
class BoxMessages final : public MessageSink {
public:
    explicit BoxMessages(QWidget* parent) : parent_(parent) {}
    void showMessage(const QString& text) override;
    bool askYesNo(const QString& question) override;
    SaveAnswer askSaveDiscardCancel(const QString& question) override;

private:
    QWidget* parent_;
};

}  // namespace korvane
