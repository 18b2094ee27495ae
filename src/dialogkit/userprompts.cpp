#include "userprompts.h"

namespace {

class UnattendedPrompts final : public UserPrompts {
public:
    Answer question(QWidget*, const QString&, QMessageBox::StandardButtons buttons,
                    QMessageBox::StandardButton harmless) override {
        if (harmless != QMessageBox::NoButton && (buttons & harmless))
            return harmless == QMessageBox::Yes ? Yes : harmless == QMessageBox::Ok ? Ok : No;
        return (buttons & QMessageBox::Cancel) ? Cancel : No;
    }
    void critical(QWidget*, const QString& text, const QString& caption) override {
        reportMessage(text, caption);
    }
    QString inputText(QWidget*, const QString&, const QString&) override { return {}; }
    Colour pickColour(QWidget*, Colour start) override { return start; }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&,
                         const QString&) override {
        return {};
    }
    std::optional<BrowsedFile> browsePicture(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
    QString editCredits(QWidget*, const QString& credits) override { return credits; }
};

} // namespace

UserPrompts& orUnattended(UserPrompts* prompts) {
    // Stateless: sharing it answers nothing on anyone's behalf.
    static UnattendedPrompts unattended;
    return prompts ? *prompts : unattended;
}
