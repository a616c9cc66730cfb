// The few services of the machine that the world's core units call: the modal message box, the
// folder beside the program, and the local date and time (replaceable by a fixed time in tests).
// Used by the error log and the codec's fatal messages.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace dravok {

struct tlocal_time {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Shows a modal message (headless: written to the standard error stream).
void show_message_box(std::string_view text);

// The folder that holds the program, with a trailing separator.
std::string program_folder_path();

// The local date and time; a fixed time set here replaces the clock until cleared.
tlocal_time local_time_now();
void set_fixed_local_time(std::optional<tlocal_time> fixed);

} // namespace dravok
