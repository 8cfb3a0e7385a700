#pragma once

#include <QObject>

class ProtocolTest : public QObject {
    Q_OBJECT
private slots:
    void line_data();
    void line();
    void memo_only_while_switched_on();
    void default_clock_is_local_time();
};

class PriceCheckTest : public QObject {
    Q_OBJECT
private slots:
    void tomycurr_data();
    void tomycurr();
    void fake_control_data();
    void fake_control();
    void decision_data();
    void decision();
    void silent_machine_still_buys();
};

class ScriptChannelTest : public QObject {
    Q_OBJECT
private slots:
    void routing_data();
    void routing();
    void first_message_is_the_answer();
    void debugging_script_is_sent_unchanged_and_answers_a_flag();
    void text_result_is_discarded();
    void html_capture_data();
    void html_capture();
};

class TradingCycleTest : public QObject {
    Q_OBJECT
private slots:
    void transitions_data();
    void transitions();
    void start_loads_the_site();
    void full_cycle_with_two_currencies();
    void rotation_against_read_delays_data();
    void rotation_against_read_delays();
    void cycle_without_rotation_data();
    void cycle_without_rotation();
    void search_by_hand_runs_one_buy_side_read();
    void stop_during_rotation_data();
    void stop_during_rotation();
    void purchase_chain_after_passing_check_data();
    void purchase_chain_after_passing_check();
};

class CurrencyRotationTest : public QObject {
    Q_OBJECT
private slots:
    void rotation_list_follows_the_check_list();
    void changes_follow_the_list_data();
    void changes_follow_the_list();
    void change_restarts_the_sell_side();
    void change_past_the_end_ends_the_rotation();
    void change_with_empty_list_fails();
};
