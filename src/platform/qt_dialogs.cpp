#include "qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace rx42 {

QWidget* QtDialogs::owner() const
{
    if (owner_)
        return owner_;
    return QApplication::activeWindow();
}

void QtDialogs::message_box(const QString& text)
{
    // Plain: no icon, one OK button, the application title as caption.
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok, owner());
    box.exec();
}

QStringList QtDialogs::name_filters(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        // "Text files (*.txt)": the description's own pattern list goes; the patterns given
        // after the bar are the ones that count.
        static const QRegularExpression trailing_patterns(QStringLiteral("\\s*\\([^()]*\\)$"));
        description.remove(trailing_patterns);
        QStringList patterns;
        for (const QString& pattern : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            for (const QString& variant : {pattern.trimmed(), pattern.trimmed().toLower(), pattern.trimmed().toUpper()}) {
                if (!variant.isEmpty() && !patterns.contains(variant))
                    patterns << variant;
            }
        }
        if (description.isEmpty())
            description = patterns.join(QLatin1Char(' '));
        result << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    return result;
}

QString QtDialogs::save_file_name(const SaveRequest& request)
{
    // One save dialog shared by every tool: what a use sets (filter, default extension, file
    // name) stays for the next use; an empty field of the request leaves it as it was.
    if (!request.filter.isEmpty())
        save_state_.filter = request.filter;
    if (!request.default_suffix.isEmpty())
        save_state_.default_suffix = request.default_suffix;
    if (!request.file_name.isEmpty())
        save_state_.file_name = request.file_name;

    QFileDialog dialog(owner());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = name_filters(save_state_.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(save_state_.default_suffix);
    if (!save_state_.file_name.isEmpty())
        dialog.selectFile(save_state_.file_name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    save_state_.file_name = dialog.selectedFiles().constFirst();
    return save_state_.file_name;
}

QString QtDialogs::open_file_name(const QString& filter)
{
    QFileDialog dialog(owner());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QStringList filters = name_filters(filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtDialogs::input_box(const QString& caption, const QString& prompt, const QString& default_text)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(owner(), caption, prompt, QLineEdit::Normal, default_text, &ok);
    return ok ? answer : QString();
}

}  // namespace rx42
