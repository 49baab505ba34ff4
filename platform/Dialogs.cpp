#include "Dialogs.h"

#include "Replaceable.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace platform {

namespace {

// A box with one OK button over the active window, as the boxes of both programs are.
void ShowBox(QMessageBox::Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

QString ChooseFile(QWidget* parent, const QString& filter, QFileDialog::AcceptMode mode,
                   const QString& lastName) {
    QFileDialog dialog(parent, QString(), QString(), filter);
    if (!lastName.isEmpty()) {
        dialog.setDirectory(QFileInfo(lastName).absolutePath());
        dialog.selectFile(QFileInfo(lastName).fileName());
    }
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

class DesktopDialogs : public Dialogs {
public:
    void Error(const QString& text) override {
        ShowBox(QMessageBox::Critical, QString::fromUtf8(ErrorCaption), text);
    }

    void Message(const QString& text, const QString& caption) override {
        ShowBox(QMessageBox::NoIcon, caption, text);
    }

    Button Warning(const QString& text, Choice choice) override {
        const bool canCancel = choice == Choice::YesNoCancel;
        QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
        if (canCancel)
            buttons |= QMessageBox::Cancel;
        QMessageBox box(QMessageBox::Warning, QString::fromUtf8(WarningCaption), text, buttons,
                        QApplication::activeWindow());
        box.setEscapeButton(canCancel ? QMessageBox::Cancel : QMessageBox::No);
        const int answer = box.exec();
        if (answer == QMessageBox::Yes)
            return Button::Yes;
        if (answer == QMessageBox::No)
            return Button::No;
        return canCancel ? Button::Cancel : Button::No;
    }

    QString OpenFileName(QWidget* parent, const QString& filter, const QString& lastName) override {
        return ChooseFile(parent, filter, QFileDialog::AcceptOpen, lastName);
    }

    QString SaveFileName(QWidget* parent, const QString& filter, const QString& lastName) override {
        return ChooseFile(parent, filter, QFileDialog::AcceptSave, lastName);
    }
};

Replaceable<Dialogs, DesktopDialogs>& Instance() {
    static Replaceable<Dialogs, DesktopDialogs> instance;
    return instance;
}

} // namespace

Dialogs& dialogs() {
    return Instance().Get();
}

void SetDialogs(std::unique_ptr<Dialogs> replacement) {
    Instance().Set(std::move(replacement));
}

} // namespace platform
