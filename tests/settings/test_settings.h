#pragma once

#include <QObject>

class IniFileTest : public QObject {
    Q_OBJECT
private slots:
    void read_data();
    void read();
    void write_data();
    void write();
    void write_replaces_the_file_instead_of_rewriting_it();
    void names_that_cannot_be_written_data();
    void names_that_cannot_be_written();
};

class SettingsLoadTest : public QObject {
    Q_OBJECT
private slots:
    void settings_path_data();
    void settings_path();
    void readstrini_without_a_file();
    void load_data();
    void load();
    void loading_only_ticks();
};

class SettingsSaveTest : public QObject {
    Q_OBJECT
private slots:
    void first_save_writes_every_key_in_order();
    void save_then_load_round_trip();
    void spin_texts_are_saved_as_typed();
    void failed_save_data();
    void failed_save();
    void write_failing_midway_keeps_the_file_whole();
    void odd_files_load_and_keep_their_content_data();
    void odd_files_load_and_keep_their_content();
    void duplicate_sections_and_keys_keep_their_later_copies();
};
