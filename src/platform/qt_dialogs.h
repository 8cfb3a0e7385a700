#pragma once

#include "common/dialogs.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace rx42 {

// The program's message boxes and file dialogs, shown with Qt Widgets. Each dialog is modal
// for the application; the event loop keeps running while it is open.
class QtDialogs final : public Dialogs {
public:
    // `owner`: the window the dialogs belong to; without one, the active window.
    explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}

    void set_owner(QWidget* owner) { owner_ = owner; }

    void message_box(const QString& text) override;
    QString save_file_name(const SaveRequest& request) override;
    QString open_file_name(const QString& filter) override;
    QString input_box(const QString& caption, const QString& prompt, const QString& default_text) override;

    // A filter in the "Text files (*.txt)|*.TXT" form (description, bar, patterns separated by
    // ";", further pairs after another bar) as a Qt name filter list. Patterns match without
    // regard to case, like on the system the form comes from.
    static QStringList name_filters(const QString& filter);

private:
    QWidget* owner() const;

    QPointer<QWidget> owner_;
    SaveRequest save_state_;  // what the shared save dialog keeps between uses
};

}  // namespace rx42
