// A game started the way a player starts one: a program folder with the built Data/, the window
// (dummy video driver), the creation handler, the first showing and the start-up timer into the
// main menu. Keys go through the window's key path; frames can be written as PNG files.
#pragma once
#include <filesystem>
#include <functional>
#include <string>

#include "platform/clock.h"
#include "ui/key_entry.h"

namespace dravok::testing {

class started_game {
  public:
    // Prepares the folder; ready() is false when the build has not made Data/ yet.
    explicit started_game(const std::string& name);
    ~started_game();
    started_game(const started_game&) = delete;
    started_game& operator=(const started_game&) = delete;

    bool ready() const { return ready_; }
    // Creation, title, start-up timer; true when the main menu is up.
    bool start();
    // Restarts the program in the same folder (shutdown, then start()).
    bool restart();
    void press(int key, tshift_state shift = {});
    void press_shift(int key) { press(key, tshift_state{true, false, false}); }
    // Whether a message holding the text was logged.
    bool logged(const std::string& text) const;
    void press_ctrl(int key) { press(key, tshift_state{false, true, false}); }
    // Draws the current screen and writes it as screens/<name>.png in the build folder.
    std::string screenshot(const std::string& name);

    std::filesystem::path folder;
    ManualClock clock;
    // Run before the creation handler in a fresh settings record: what the settings file would
    // have given.
    std::function<void()> on_created;

  private:
    void stop();
    bool ready_ = false;
    bool running_ = false;
};

} // namespace dravok::testing
