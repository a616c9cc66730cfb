#include "rules/pantheon.h"

#include <optional>
#include <string>

#include "generation/locations.h"
#include "platform/files.h"
#include "records/being_flags.h"
#include "records/codec.h"
#include "rules/being_creation.h"
#include "rules/item_choice.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/data_files.h"
#include "world/database.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/history_file.h"
#include "world/item_creation.h"
#include "world/item_placement.h"
#include "world/map.h"
#include "world/player.h"
#include "world/services.h"
#include "world/spawn_candidates.h"
#include "world/state.h"
#include "world/statistics.h"
#include "world/tables.h"
#include "world/text_utilities.h"

namespace dravok {

std::array<tbeing, avatar_slot_count + 1> avatars{};
std::array<std::vector<titem>, avatar_slot_count + 1> avatar_items;
std::vector<tbeing> demigods(1);
std::vector<std::vector<titem>> demigod_items(1);

namespace {

constexpr uint32_t pantheon_release = 15;
constexpr const char* chained_god = "be_chained_god";
constexpr const char* demon_prince = "be_demon_demogorgon";
constexpr uint8_t ascension_comment_rounds = 50;
constexpr int trigger_ascension_demigod = 37, trigger_ascension_god = 38, trigger_ascension_overgod = 39;
constexpr int avatar_item_growth = 30;
// Each god is picked once: a picked plan leaves the numbering.
constexpr int gods_per_plan = 1;
// Each kit template is picked once per kit entry, as in a being's kit.
constexpr int kit_picks_per_plan = 1;
// Demigods wait in the hub's first area.
constexpr uint16_t demigod_area = 1;

std::string pantheon_path() {
    return program_folder() + "Save/Avatars.dav";
}

// The item count a stored being carries: its highest entry that holds an item.
uint16_t highest_used_item(const std::vector<titem>& items) {
    for (std::size_t i = items.size(); i-- > 1;)
        if (items[i].serial != 0) return static_cast<uint16_t>(i);
    return 0;
}

void write_stored_being(tbyte_stream& stream, tbeing& b, const std::vector<titem>& items, bool with_items) {
    b.highest_item = with_items ? highest_used_item(items) : 0;
    stream.write_record(b);
    for (int i = 1; i <= b.highest_item; ++i)
        stream.write_record(items[i]);
}

// False when the stream cannot hold the being or the items it names.
bool read_stored_being(tbyte_stream& stream, tbeing& b, std::vector<titem>& items, bool demigod) {
    if (!stream.read_record(b)) return false;
    if (demigod && !b.present) b.highest_item = 0;
    if (!stream.fits(b.highest_item, sizeof(titem))) return false;
    items.assign(b.highest_item + 1u, blank_item);
    for (int i = 1; i <= b.highest_item; ++i)
        stream.read_record(items[i]);
    return true;
}

bool world_flag(const char* identifier) {
    const int plan = find_being_plan_by_name(identifier);
    return plan > 0 && being_plans[plan].player_kills > 0;
}

void use_up_plan(const char* identifier) {
    const int plan = find_being_plan_by_name(identifier);
    if (plan <= 0) return;
    being_plans[plan].created_on_level = 1;
    being_plans[plan].created_in_game = 1;
    being_plans[plan].player_kills = 1;
}

// A stored copy of a being in play: no longer the player's, using no items of its own will.
void make_stored_copy(tbeing& copy) {
    copy.type_flags[tf_player] = 0;
    copy.type_flags[tf_player_and_companions] = 0;
    copy.commanded = 0;
    copy.uses_items = 0;
    std::fill(std::begin(copy.wish), std::end(copy.wish), uint8_t(0));
}

void empty_pantheon() {
    for (int slot = 1; slot <= avatar_slot_count; ++slot) {
        avatars[slot] = tbeing{};
        avatar_items[slot].clear();
    }
    demigods.assign(1, tbeing{});
    demigod_items.assign(1, {});
}

} // namespace

int find_avatar_slot(int avatar_id) {
    if (avatar_id == 0) return 0;
    for (int slot = 1; slot <= avatar_slot_count; ++slot)
        if (avatars[slot].avatar_slot == avatar_id) return slot;
    return 0;
}

void save_avatars() {
    const std::string path = pantheon_path();
    if (state.overgod_left) {
        delete_file(path);
        state.pantheon_disabled = 1;
        // The next start of play builds a new pantheon.
        state.read_pantheon = 1;
        return;
    }
    // Once the pantheon file is gone, nothing writes it again until a new pantheon is made.
    if (state.pantheon_disabled) return;
    tbyte_stream stream;
    write_file_header(stream, pantheon_release, 0);
    stream.write_u32(sizeof(tbeing));
    stream.write_u8(world_flag(chained_god) ? 1 : 0);
    stream.write_u8(world_flag(demon_prince) ? 1 : 0);
    for (int slot = 1; slot <= avatar_slot_count; ++slot)
        write_stored_being(stream, avatars[slot], avatar_items[slot], true);
    stream.write_u32(static_cast<uint32_t>(demigods.size() - 1));
    for (std::size_t d = 1; d < demigods.size(); ++d)
        write_stored_being(stream, demigods[d], demigod_items[d], demigods[d].present != 0);
    if (!write_encoded_file(path, stream)) report_unwritten_file(path);
}

void remove_avatar(int avatar_id) {
    const int slot = find_avatar_slot(avatar_id);
    if (slot == 0) return;
    avatars[slot].present = 0;
    avatars[slot].serial = 0;
    avatars[slot].highest_item = 0;
    avatar_items[slot].clear();
    save_avatars();
}

void update_demigods() {
    for (int i = 1; i < static_cast<int>(beings.size()); ++i) {
        const tbeing& b = beings[i];
        if (b.serial == 0 || b.demigod == 0 || b.demigod >= demigods.size()) continue;
        tbeing& stored = demigods[b.demigod];
        stored = b;
        if (!b.present) {
            stored.highest_item = 0;
            demigod_items[b.demigod].clear();
            continue;
        }
        stored.health = stored.health_max;
        stored.stamina = stored.stamina_max;
        stored.lunge_timer = 0;
        demigod_items[b.demigod] = being_items[i];
    }
    save_avatars();
}

bool load_avatars() {
    empty_pantheon();
    const std::string path = pantheon_path();
    tbyte_stream stream;
    const tencoded_read read = read_encoded_file(path, stream);
    if (read == tencoded_read::missing) return false;
    bool sound = read == tencoded_read::ok && check_file_header(stream, pantheon_release, 0) &&
                 stream.read_u32() == sizeof(tbeing);
    const bool chained = stream.read_u8() != 0;
    const bool demon = stream.read_u8() != 0;
    for (int slot = 1; sound && slot <= avatar_slot_count; ++slot)
        sound = read_stored_being(stream, avatars[slot], avatar_items[slot], false);
    const uint32_t count = sound ? stream.read_u32() : 0;
    sound = sound && !stream.failed() && stream.fits(count, sizeof(tbeing));
    if (sound) {
        demigods.assign(count + 1, tbeing{});
        demigod_items.assign(count + 1, {});
    }
    for (uint32_t d = 1; sound && d <= count; ++d)
        sound = read_stored_being(stream, demigods[d], demigod_items[d], true);
    // A damaged pantheon is dropped silently; a fresh one takes its place.
    if (!sound || stream.failed()) {
        empty_pantheon();
        delete_file(path);
        return false;
    }
    if (chained) use_up_plan(chained_god);
    if (demon) use_up_plan(demon_prince);
    return true;
}

void add_item_to_avatar(int slot, int item_plan, const tdice& amount, int depth) {
    depth = trace_enter(depth, trace_add_item_to_avatar);
    if (slot < 1 || slot > avatar_slot_count) return;
    titem item;
    create_item(item_plan, amount, depth, item);
    if (item.plan == 0) return;
    std::vector<titem>& list = avatar_items[slot];
    list[first_free_slot(list, avatar_item_growth)] = item;
}

namespace {

// The god's kit: its item classes drawn from, then its fixed items.
void make_avatar_kit(int slot, const tbeing_plan& plan, int depth) {
    owner_enchant_bonus = plan.kit_enchantment;
    for (int i = 0; i < kit_entry_count; ++i) {
        if (plan.kit_class[i] == 0) continue;
        int candidates = choose_random_item_plans_at_any_depth(plan.kit_class[i], true, kit_picks_per_plan);
        if (candidates <= 0) continue;
        const int count = plan.kit_count[i].all_flag != 0 ? candidates : roll_dice(plan.kit_count[i]);
        for (int k = 0; k < count; ++k) {
            const int item_plan = pick_random_item_plan(candidates);
            if (item_plan > 0) add_item_to_avatar(slot, item_plan, item_plans[item_plan].amount, depth);
            candidates = choose_random_item_plans_at_any_depth(plan.kit_class[i], false, kit_picks_per_plan);
        }
    }
    for (int i = 0; i < kit_entry_count; ++i)
        if (plan.kit_plan[i] > 0) add_item_to_avatar(slot, plan.kit_plan[i], plan.kit_amount[i], depth);
    owner_enchant_bonus = 0;
}

} // namespace

void setup_avatars(int depth) {
    depth = trace_enter(depth, trace_setup_avatars);
    const int group = database_header.god_spawn_group;
    int candidates = number_spawnable_plans(group, true, gods_per_plan);
    for (int slot = 1; slot <= avatar_slot_count; ++slot) {
        avatars[slot] = tbeing{};
        avatar_items[slot].clear();
        const int plan = candidates > 0 ? pick_spawn_being_plan(candidates) : 0;
        candidates = number_spawnable_plans(group, false, gods_per_plan);
        if (plan <= 0) continue;
        tbeing_plan& god = being_plans[plan];
        // Without its special kind the plan makes a new being instead of copying an avatar.
        const uint8_t avatar_id = god.special;
        god.special = 0;
        create_being(plan, depth, avatars[slot]);
        god.special = avatar_id;
        god.created_on_level = 0;
        god.created_in_game = 0;
        tbeing& avatar = avatars[slot];
        avatar.serial = 0;
        avatar.avatar_slot = avatar_id;
        avatar.name_known = 1;
        avatar.name = avatar.title.view();
        avatar.present = 1;
        make_avatar_kit(slot, god, depth);
    }
    demigods.assign(1, tbeing{});
    demigod_items.assign(1, {});
    for (std::size_t i = 1; i < item_plans.size(); ++i) {
        item_plans[i].created_on_level = 0;
        item_plans[i].created_in_game = 0;
    }
    // A new pantheon is a new world: no overgod has left this one yet.
    state.overgod_left = 0;
    state.pantheon_disabled = 0;
    save_avatars();
}

void free_pantheon() {
    for (auto& items : avatar_items)
        items.clear();
    demigods.assign(1, tbeing{});
    demigod_items.assign(1, {});
}

std::string deities_list_text() {
    // Breaks are written as the text database writes them: a backslash and an n.
    std::string out = "THE PANTHEON\\n\\n";
    for (int slot = 1; slot <= avatar_slot_count; ++slot)
        if (avatars[slot].present != 0) out += avatars[slot].name.str() + "\\n";
    bool heading = false;
    for (std::size_t d = 1; d < demigods.size(); ++d) {
        if (demigods[d].present == 0) continue;
        if (!heading) out += "\\nTHE DEMIGODS\\n\\n";
        heading = true;
        out += demigods[d].name.str() + "\\n";
    }
    return out;
}

void add_demigod(int being) {
    if (!is_being_ok(being)) return;
    services.clear_emotions(being);
    const tbeing& b = beings[being];
    const auto n = static_cast<uint16_t>(demigods.size());
    tbeing copy = b;
    copy.demigod = n;
    const std::string name = random_name_from(b.name.view());
    copy.name = name;
    copy.title = name;
    const bool was_player = has_type_flag(b, tf_player);
    copy.type_flags[was_player ? tf_former_player : tf_former_companion] = 1;
    make_stored_copy(copy);
    for (int flag : {tf_companion, tf_has_oneliners, tf_can_be_recruited, tf_unique})
        copy.type_flags[flag] = 0;
    copy.type_flags[tf_demigod] = 1;
    copy.type_flags[tf_ignore_emotion_presets] = 1;
    copy.health = copy.health_max;
    copy.stamina = copy.stamina_max;
    demigods.push_back(copy);
    demigod_items.push_back(being_items[being]);
    // The being in play is the stored demigod from now on.
    beings[being].demigod = n;
    save_avatars();
}

void ascend_companions(int) {
    for (int i = 1; i < static_cast<int>(beings.size()); ++i) {
        const tbeing& b = beings[i];
        if (b.present && has_type_flag(b, tf_companion) && has_type_flag(b, tf_humanoid)) add_demigod(i);
    }
}

void ascend_player() {
    game_mode = mode_main;
    state.won = 1;
    if (!is_being_ok(player_character)) return;
    const tbeing& p = beings[player_character];
    int trigger = trigger_ascension_demigod;
    if (has_type_flag(p, tf_overgod)) {
        add_history("Became the Overgod!");
        ++statistics.overgod_ascensions;
        trigger = trigger_ascension_overgod;
    } else if (has_type_flag(p, tf_god)) {
        add_history("Ascended to godhood!");
        ++statistics.god_ascensions;
        trigger = trigger_ascension_god;
    } else if (has_type_flag(p, tf_demigod)) {
        add_history("Ascended to demigodhood!");
        ++statistics.demigod_ascensions;
    }
    services.remove_related_emotions(player_character);
    for (int i = 1; i < static_cast<int>(beings.size()); ++i) {
        tbeing& b = beings[i];
        if (i != player_character && b.present && has_type_flag(b, tf_has_oneliners))
            b.ascension_comment(trigger) = ascension_comment_rounds;
    }
    write_obituary();
}

void replace_avatar_with_being(int avatar_id, int being) {
    const int slot = find_avatar_slot(avatar_id);
    if (slot == 0 || !is_being_ok(being)) return;
    tbeing copy = beings[being];
    const std::string name = random_name_from(copy.name.view());
    copy.name = name;
    copy.title = name;
    make_stored_copy(copy);
    copy.type_flags[tf_former_player] = 1;
    copy.avatar_slot = static_cast<uint8_t>(avatar_id);
    copy.home_x = copy.home_y = 0;
    avatars[slot] = copy;
    avatar_items[slot] = being_items[being];
    save_avatars();
}

void place_demigods(int depth) {
    depth = trace_enter(depth, trace_place_demigods);
    tstuff request = blank_stuff;
    request.kind = request_being;
    request.area = demigod_area;
    for (std::size_t d = 1; d < demigods.size(); ++d) {
        if (demigods[d].present == 0) continue;
        tstuff spot;
        find_location_spot(request, depth, spot);
        if (!on_map(spot.result_x, spot.result_y)) return;
        tbeing copy = demigods[d];
        copy.demigod = uint16_t(d);
        // A serial of this game: the stored one was given in another.
        copy.serial = 0;
        add_being_to_level(spot.result_x, spot.result_y, copy, depth, 0);
    }
}

} // namespace dravok
