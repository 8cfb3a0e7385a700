#pragma once

#include <QObject>

class WindowTimerTest : public QObject {
    Q_OBJECT
private slots:
    void enabling_a_running_timer_does_not_restart_it();
    void changing_the_interval_restarts_a_running_timer();
    void same_interval_changes_nothing();
    void fires_every_interval_until_its_handler_disables_it();
    void zero_interval_never_fires();
    void handler_error_goes_to_the_error_handler_and_timer_goes_on();
    void real_event_loop_timer_fires();
};

class Cp1251Test : public QObject {
    Q_OBJECT
private slots:
    void every_byte_round_trips();
    void matches_the_system_codec();
    void characters_outside_become_question_marks_data();
    void characters_outside_become_question_marks();
};

class IntTextTest : public QObject {
    Q_OBJECT
private slots:
    void parse_int_data();
    void parse_int();
    void str_to_int_error_names_the_text();
};
