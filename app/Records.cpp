// The form's side of the record store: reading the stored record of a
// screen, the unlock flags and thresholds, and the record update when a game
// is left. The store and its rules (app/ScoreStore.h) need no form.
#include <functional>
#include <string>

#include "app/Form.h"
#include "app/ScoreStore.h"

namespace ik {

void TForm1::read_record(const std::string& section) {
    const StoredRecord record = readRecord(*scores_ini, section);
    stored_score = record.score;
    stored_verify = record.verify;
}

void TForm1::apply_thresholds() {
    for (int episode = 2; episode <= 4; ++episode) unlock_score[episode] = unlockThreshold(episode, easy_mode);
}

void TForm1::is_unlocked() {
    // Each flag looks only at the record just before it, never at the
    // earlier flags: a good record of episode 2 opens 3 even while 2 is shut.
    for (int episode = 2; episode <= 4; ++episode) {
        read_record(recordSection(episode - 1));
        unlocked[episode] = recordUnlocks({stored_score, stored_verify}, unlock_score[episode]);
    }
}

void TForm1::save_to_store(const std::function<void()>& write) {
    if (!scores_ini->Refusal()) guarded(write);
}

void TForm1::update_record() {
    const std::string section(screenName(screen));
    read_record(section);
    if (updateRecord(*scores_ini, section, score) && onRecordUpdate) onRecordUpdate(section, score);
}

}  // namespace ik
