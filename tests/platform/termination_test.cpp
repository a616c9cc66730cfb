// Signals: one becomes a single close request of the event loop, and a box process the game
// waits for is killed with its whole group as soon as a signal arrives.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "platform/events.h"
#include "platform/message_box.h"
#include "platform/temp_folder.h"
#include "platform/termination.h"

namespace dravok {
namespace {

class Termination : public ::testing::Test {
  protected:
    void SetUp() override { install_termination_handlers(); }
    void TearDown() override {
        remove_termination_handlers();
        set_close_handler(nullptr);
    }
};

// Ended, or a zombie no one has reaped yet.
bool process_gone(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string pid_text, name, state;
    return !(stat >> pid_text >> name >> state) || state == "Z";
}

TEST_F(Termination, ASignalIsOneCloseRequest) {
    int closes = 0;
    set_close_handler([&] { ++closes; });
    pump_messages();
    EXPECT_EQ(closes, 0);
    ::kill(::getpid(), SIGHUP);
    EXPECT_TRUE(termination_requested());
    pump_messages();
    pump_messages();
    EXPECT_EQ(closes, 1);
}

TEST_F(Termination, ASignalTakesDownTheBoxProcessAndItsChildren) {
    testing::TempFolder tmp;
    const std::string pids = tmp / "pids";
    // A stand-in box: a process that starts a child of its own (as SDL's box does) and waits.
    const std::string script = "echo $$ > " + pids + "; sleep 30 & echo $! >> " + pids + "; wait";
    std::thread sender([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ::kill(::getpid(), SIGTERM);
    });
    const auto start = std::chrono::steady_clock::now();
    const tmodal_end end = run_modal_process({"/bin/sh", "-c", script});
    const auto waited = std::chrono::steady_clock::now() - start;
    sender.join();
    EXPECT_EQ(end, tmodal_end::terminated);
    EXPECT_LT(waited, std::chrono::seconds(2));
    std::ifstream in(pids);
    pid_t box = 0, child = 0;
    ASSERT_TRUE(in >> box >> child);
    for (int tries = 0; tries < 100 && !process_gone(child); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(process_gone(box));
    EXPECT_TRUE(process_gone(child));
}

TEST_F(Termination, ABoxThatEndsByItselfIsFinishedOrFailed) {
    EXPECT_EQ(run_modal_process({"/bin/true"}), tmodal_end::finished);
    EXPECT_EQ(run_modal_process({"/bin/false"}), tmodal_end::failed);
    EXPECT_EQ(run_modal_process({"/no/such/program"}), tmodal_end::failed);
    ::kill(::getpid(), SIGINT);
    // Once the game is ending no box is shown at all.
    EXPECT_EQ(show_message_box("Dravok", "text"), tmodal_end::terminated);
}

} // namespace
} // namespace dravok
