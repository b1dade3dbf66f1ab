#include "UserDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontMetrics>
#include <QMessageBox>
#include <QScreen>
#include <QStringList>

#include <algorithm>

namespace wavory {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton qtDefaultButton(MessageButtons buttons, DefaultButton which) {
    const bool yesNo = buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel;
    if (which == DefaultButton::Negative && buttons != MessageButtons::Ok)
        return yesNo ? QMessageBox::No : QMessageBox::Cancel;
    return yesNo ? QMessageBox::Yes : QMessageBox::Ok;
}

// A quoted name or path can be any length: each line is shortened in its middle to what
// fits the screen's width (the fixed words around a name stay), and the lines to what fits
// its height, so that the box and its buttons stay on the screen.
QString fitToScreen(const QString& text, const QWidget* parent) {
    const QScreen* screen =
        parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() : QSize(800, 600);
    const QFontMetrics metrics(QApplication::font("QMessageBox"));
    const int width = room.width() * 2 / 3;
    const int lineCount = std::max(1, room.height() / 2 / std::max(1, metrics.lineSpacing()));
    // Measuring a very long line is slow; its middle goes first, by characters.
    const qsizetype measured = 4 * width / std::max(1, metrics.averageCharWidth()) + 2;
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > lineCount) {
        lines = lines.mid(0, lineCount - 1);
        lines << QStringLiteral("…");
    }
    for (QString& line : lines) {
        if (line.size() > measured)
            line = line.left(measured / 2) + QStringLiteral("…") + line.right(measured / 2);
        line = metrics.elidedText(line, Qt::ElideMiddle, width);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

MessageAnswer QtUserDialogs::message(QWidget* parent, const QString& text, MessageIcon icon,
                                     MessageButtons buttons, DefaultButton defaultButton) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown = fitToScreen(shown, parent);
    QMessageBox box(qtIcon(icon), kProgramTitle, shown, qtButtons(buttons), parent);
    box.setDefaultButton(qtDefaultButton(buttons, defaultButton));
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        // Closing the box with Escape or its close box counts as its "no" answer.
        return buttons == MessageButtons::Ok      ? MessageAnswer::Ok
               : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                  : MessageAnswer::Cancel;
    }
}

QString qtFileFilter(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns + QStringLiteral(")");
    }
    return filters.join(QStringLiteral(";;"));
}

namespace {

// A remembered name such as "folder/*" only says where to start: the dialog gets the
// folder, not a wildcard in its name field.
QString startName(const QString& fileName) {
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const QString name = fileName.mid(slash + 1);
    if (name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?')))
        return fileName.left(slash + 1);
    return fileName;
}

} // namespace

// The filter list shows each description as given; most already name their pattern.
constexpr QFileDialog::Options kFileDialogOptions = QFileDialog::HideNameFilterDetails;

QString QtUserDialogs::openFileName(QWidget* parent, const QString& title, const QString& filters,
                                    const QString& fileName) {
    return QFileDialog::getOpenFileName(parent, title, startName(fileName), qtFileFilter(filters),
                                        nullptr, kFileDialogOptions);
}

QString QtUserDialogs::saveFileName(QWidget* parent, const QString& title, const QString& filters,
                                    const QString& fileName) {
    return QFileDialog::getSaveFileName(parent, title, startName(fileName), qtFileFilter(filters),
                                        nullptr, kFileDialogOptions);
}

std::optional<QColor> QtUserDialogs::chooseColor(QWidget* parent, const QColor& initial) {
    const QColor c = QColorDialog::getColor(initial, parent);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

std::optional<QFont> QtUserDialogs::chooseFont(QWidget* parent, const QFont& initial) {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return std::nullopt;
    return f;
}

void QtUserDialogs::beep() {
    QApplication::beep();
}

} // namespace wavory
