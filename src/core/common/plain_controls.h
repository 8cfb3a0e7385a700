#pragma once

#include "controls.h"
#include "handler_guard.h"

#include <QVector>

#include <utility>

namespace rx42 {

// Controls without widgets, for tests, benchmarks and the headless practice run.

class PlainText final : public TextControl {
public:
    explicit PlainText(QString text = {}) : text_(std::move(text)) {}
    QString text() const override { return text_; }
    void set_text(const QString& text) override { text_ = text; }

private:
    QString text_;
};

class PlainCheck final : public CheckControl {
public:
    explicit PlainCheck(bool checked = false) : checked_(checked) {}
    bool checked() const override { return checked_; }
    void set_checked(bool checked) override { checked_ = checked; }

private:
    bool checked_;
};

class PlainEnabled final : public EnabledControl {
public:
    bool enabled() const override { return enabled_; }
    void set_enabled(bool enabled) override { enabled_ = enabled; }

private:
    bool enabled_ = true;
};

class PlainSpin final : public SpinControl {
public:
    PlainSpin(int value, int minimum, int maximum)
        : minimum_(minimum), maximum_(maximum), text_(QString::number(value)) {}
    int minimum() const override { return minimum_; }
    int maximum() const override { return maximum_; }
    QString text() const override { return text_; }
    int value() const override
    {
        bool ok = false;
        const int v = text_.toInt(&ok);
        return ok ? v : minimum_;
    }
    void set_value(int value) override { text_ = QString::number(qBound(minimum_, value, maximum_)); }
    // What the user types, unchecked.
    void type_text(const QString& text) { text_ = text; }

private:
    int minimum_;
    int maximum_;
    QString text_;
};

class PlainList final : public ListControl {
public:
    QStringList items() const override { return items_; }
    void set_items(const QStringList& items) override { items_ = items; }

private:
    QStringList items_;
};

class PlainCheckList final : public CheckListControl {
public:
    explicit PlainCheckList(QStringList items) : items_(std::move(items)), checked_(items_.size(), false) {}
    int count() const override { return int(items_.size()); }
    QString item(int index) const override { return items_.value(index); }
    bool checked(int index) const override { return index >= 0 && index < count() && checked_[index]; }
    void set_checked(int index, bool checked) override
    {
        if (index < 0 || index >= count())
            throw HandlerError(list_index_error_text(index));
        checked_[index] = checked;
    }

private:
    QStringList items_;
    QVector<bool> checked_;
};

class PlainLog final : public LogControl {
public:
    void append_line(const QString& line) override { lines_.append(line); }
    const QStringList& lines() const { return lines_; }

private:
    QStringList lines_;
};

}  // namespace rx42
