// Each episode's fields in the state dump, under their own names, written
// only while that episode is on screen.
#include "app/EpisodeState.h"

#include "app/Form.h"

namespace ik {

namespace {

nlohmann::json rect(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

template <typename T>
nlohmann::json items(const T (&values)[11]) {
    nlohmann::json list = nlohmann::json::array();
    for (int i = 1; i <= 10; ++i) list.push_back(values[i]);
    return list;
}

void dumpEpisode1(const TForm1& f, nlohmann::json& s) {
    s["item_y"] = items(f.item_y);
    s["item_speed"] = items(f.item_speed);
    s["item_needed"] = items(f.item_needed);
    s["item_pattern"] = items(f.item_pattern);
    nlohmann::json rects = nlohmann::json::array();
    for (int i = 1; i <= 10; ++i) rects.push_back(rect(f.item_rect[i]));
    s["item_rect"] = rects;
    s["tray_rect"] = rect(f.tray_rect);
    s["penalty_points"] = f.penalty_points;
    s["bonus"] = std::string(bonusName(f.bonus));
    s["bonus_left"] = f.bonus_left;
    s["penalty_left"] = f.penalty_left;
    s["penalty_active"] = f.penalty_active;
    s["penalty_latched"] = f.penalty_latched;
    s["lives_granted"] = f.lives_granted;
    s["cursor_placed"] = f.cursor_placed;
    s["bonus_sound_played"] = f.bonus_sound_played;
    s["speed_base"] = f.speed_base;
    s["speed_range"] = f.speed_range;
}

void dumpEpisode2(const TForm1& f, nlohmann::json& s) {
    s["meter1"] = f.meter1;
    s["meter2"] = f.meter2;
    s["meter3"] = f.meter3;
    s["grey_line"] = f.grey_line;
    s["all_past_grey"] = f.all_past_grey;
    s["timer2_interval"] = f.Timer2->interval();
}

void dumpEpisode3(const TForm1& f, nlohmann::json& s) {
    s["aim_y"] = f.aim_y;
    s["fire_size"] = f.fire_size;
    s["fire_x"] = f.fire_x;
    s["fire_y"] = f.fire_y;
    s["fire_dx"] = f.fire_dx;
    s["fire_dy"] = f.fire_dy;
    s["soldier_x"] = f.soldier_x;
    s["soldier_y"] = f.soldier_y;
    s["soldier_speed"] = f.soldier_speed;
    s["fire_rect"] = rect(f.fire_rect);
    s["soldier_rect"] = rect(f.soldier_rect);
    s["fire_frame"] = f.fire_frame;
    s["timer2_interval"] = f.Timer2->interval();
}

void dumpEpisode4(const TForm1& f, nlohmann::json& s) {
    s["code_text"] = f.code_text;
    s["typed_text"] = f.typed_text;
    s["code_pos"] = f.code_pos;
    s["key_result"] = f.key_result;
    s["time_limit"] = f.time_limit;
    s["form_index"] = f.form_index;
}

}  // namespace

void dumpEpisodeState(const TForm1& form, nlohmann::json& state) {
    if (form.screen == Screen::game1) dumpEpisode1(form, state);
    if (form.screen == Screen::game2) dumpEpisode2(form, state);
    if (form.screen == Screen::game3) dumpEpisode3(form, state);
    if (form.screen == Screen::game4) dumpEpisode4(form, state);
}

}  // namespace ik
