#pragma once

#include <QString>
#include <QWidget>
#include <chrono>

class QLabel;
class QTimer;
class QToolButton;

namespace vellum {

// One line of a command block in monospaced type, with a button that puts exactly that
// line on the clipboard and says "Copied" for a moment.
class HelpCommandLine : public QWidget {
    Q_OBJECT

public:
    explicit HelpCommandLine(const QString& line, QWidget* parent = nullptr);

    QString line() const { return text; }
    bool isCopied() const;

    // How long the button says "Copied"; 1.6 seconds unless a test asks for less.
    std::chrono::milliseconds copiedDuration() const;
    void setCopiedDuration(std::chrono::milliseconds duration);

    // What the button does when pressed.
    void copyToClipboard();

private:
    QString text;
    QLabel* lineLabel;
    QToolButton* copyButton;
    QTimer* copiedTimer;

    void showCopied(bool copied);
};

} // namespace vellum
