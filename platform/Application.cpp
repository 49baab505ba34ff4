#include "Application.h"

#include "Dialogs.h"

#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform {

namespace {

constexpr char LayoutFamily[] = "MS Sans Serif";

// The windows speak Czech whatever the user's locale, so Qt's standard buttons do too.
void InstallCzechTexts(QApplication& application) {
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_cs"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

// The window layouts are measured in "MS Sans Serif"; a sans font of like widths keeps their
// texts inside their controls where that font is missing.
void SubstituteLayoutFont() {
    const QString family = QString::fromUtf8(LayoutFamily);
    if (!QFontDatabase::families().contains(family, Qt::CaseInsensitive))
        QFont::insertSubstitution(family, QStringLiteral("Liberation Sans"));
}

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    InstallCzechTexts(*this);
    SubstituteLayoutFont();
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ReportError(error);
        return false;
    }
}

void ReportError(const std::exception& error) {
    dialogs().Error(QString::fromUtf8(error.what()));
}

QFont LayoutFont(int pixelHeight, bool bold) {
    QFont font(QString::fromUtf8(LayoutFamily));
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

} // namespace platform
