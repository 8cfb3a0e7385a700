#pragma once

#include <QObject>

class MainWindowLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void form_as_designed();
    void controls_data();
    void controls();
    void spin_edits_data();
    void spin_edits();
    void designed_contents();
    void tools_menu_items_in_order();
    void browser_panel_and_dev_tools_placement();
    void speed_buttons_leave_an_edited_spin_edit_as_typed();
};

class SpinEditTest : public QObject {
    Q_OBJECT
private slots:
    void typed_text_is_kept_until_the_focus_leaves_data();
    void typed_text_is_kept_until_the_focus_leaves();
    void only_number_characters_can_be_typed();
    void set_from_code_clamps_data();
    void set_from_code_clamps();
    void arrow_keys_step_inside_the_range_data();
    void arrow_keys_step_inside_the_range();
};

class SmallWidgetsTest : public QObject {
    Q_OBJECT
private slots:
    void check_list_event_only_for_user_ticks_data();
    void check_list_event_only_for_user_ticks();
    void check_list_index_outside_the_list_throws();
    void log_memo_keeps_the_empty_first_line();
    void log_memo_follows_the_end_only_from_the_bottom();
    void status_bar_panels_by_index();
    void text_buffer_memo_holds_the_text_exactly_until_shown();
};

class WidgetControlsTest : public QObject {
    Q_OBJECT
private slots:
    void every_trading_control_is_bound();
    void adapters_read_and_write_the_widgets();
    void group_enabled_is_its_own_state();
};

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void text_viewer_as_designed();
    void preferences_defaults_and_tab_order();
    void preferences_buttons_close_with_their_result_data();
    void preferences_buttons_close_with_their_result();
};
