// Talents: what beings can do beyond attacking, each with its embedded effect.
#include <functional>

#include "effects.h"
#include "tables.h"

namespace dravok::dbbuild {

void fill_talents(tcompiler& c, std::vector<ttalent>& out) {
    out.assign(c.talents.size() + 1, ttalent{});
    if (c.talents.size() > 150)
        c.error("talents", "at most 150 talents (the being record holds 150 talent bytes)");
    for (std::size_t n = 0; n < c.talents.size(); ++n) {
        const tsource& s = c.talents[n];
        const json& t = s.data;
        tplace p{&c, &s, ""};
        ttalent& r = out[n + 1];
        check_keys(p, t,
                   {"id", "name", "type", "kind", "groups", "effect", "levels", "requires", "check",
                    "stamina", "time", "permanent", "on_use", "description", "info", "sections", "icon",
                    "colour"});
        put_string(p.at("id"), r.identifier, s.id);
        put_string(p.at("name"), r.name, get_string(p, t, "name"));
        if (r.name.empty()) p.at("name").error("every talent needs a display name");
        int type = name_of(p.at("type"), "talent_types", t.value("type", json()));
        r.type = static_cast<uint8_t>(std::max(type, 0));
        std::string kind = get_string(p, t, "kind", "normal");
        if (kind == "normal")
            r.kind = 0;
        else if (kind == "passive")
            r.kind = 1;
        else if (kind == "grant")
            r.kind = 2;
        else
            p.at("kind").error("kind is normal, passive or grant");
        auto groups = name_list(p, t, "groups");
        if (groups.size() > 20) p.at("groups").error("at most 20 talent groups");
        for (std::size_t g = 0; g < groups.size() && g < 20; ++g)
            r.groups[g] = static_cast<uint16_t>(tag(p.at("groups"), groups[g], "ta_"));
        read_effect(p.at("effect"), t.value("effect", json()), r.effect, 1);
        r.effect.talent = static_cast<uint16_t>(n + 1);
        if (t.contains("levels")) {
            const json& l = t["levels"];
            r.min_level = static_cast<uint8_t>(l.at(0).get<int>());
            r.max_level = static_cast<uint8_t>(l.at(1).get<int>());
            if (r.min_level && r.max_level && r.min_level > r.max_level)
                p.at("levels").error("minimum level above maximum");
        }
        const json& req = t.value("requires", json::object());
        if (req.contains("abilities"))
            for (auto it = req["abilities"].begin(); it != req["abilities"].end(); ++it) {
                int k = name_of(p.at("requires.abilities"), "abilities", it.key());
                if (k > 0)
                    r.required_ability[k - 1] = static_cast<int8_t>(
                        get_int(p.at("requires.abilities"), req["abilities"], it.key().c_str(), 0, 0, 20));
            }
        bool needs_magic = false, needs_other = false;
        if (req.contains("skills"))
            for (auto it = req["skills"].begin(); it != req["skills"].end(); ++it) {
                int k = name_of(p.at("requires.skills"), "skills", it.key());
                if (k > 0)
                    r.required_skill[k - 1] = static_cast<int8_t>(
                        get_int(p.at("requires.skills"), req["skills"], it.key().c_str(), 0, 0, 127));
                if (k == 3)
                    needs_magic = true;
                else if (k > 0)
                    needs_other = true;
            }
        if ((r.type == 4) != (needs_magic && !needs_other))
            p.at("type").warning(
                "a spell (type spells) requires magic and no other skill, and only spells do");
        if (t.contains("check")) {
            const json& ch = t["check"];
            r.skill = static_cast<uint8_t>(
                std::max(0, name_of(p.at("check.skill"), "skills", ch.value("skill", json()))));
            r.difficulty = static_cast<int8_t>(get_int(p.at("check"), ch, "difficulty", 0, -128, 127));
        }
        r.stamina = static_cast<uint8_t>(get_int(p, t, "stamina", 0, 0, 255));
        r.action_time = static_cast<uint16_t>(get_int(p, t, "time", 15, 1, 65535));
        set_flags1(p.at("permanent"), t.value("permanent", json::array()), "statuses", r.status, 1, 96);
        set_flags1(p.at("on_use"), t.value("on_use", json::array()), "statuses", r.use_status, 1, 96);
        if (t.contains("description"))
            add_section(c, s.id + "_description", t["description"]);
        else if (!s.id.starts_with("mt"))
            p.at("description").error("every talent the player can see needs a description");
        if (t.contains("info")) add_section(c, s.id + "_info", t["info"]);
        if (t.contains("sections"))
            for (auto it = t["sections"].begin(); it != t["sections"].end(); ++it)
                add_section(c, s.id + "_" + it.key(), it.value());
        check_image(p, t);
    }
    // Required talents: resolved after every talent is known; no cycles.
    for (std::size_t n = 0; n < c.talents.size(); ++n) {
        const tsource& s = c.talents[n];
        tplace p{&c, &s, "requires.talents"};
        const json& req = s.data.value("requires", json::object());
        for (const auto& name : name_list(p, req, "talents")) {
            int k = talent_ref(p, name);
            if (k > 0 && k <= 150) out[n + 1].required_talent[k - 1] = 1;
        }
    }
    std::vector<int> state(out.size(), 0);
    std::function<bool(int)> cyclic = [&](int k) {
        if (state[k] == 1) return true;
        if (state[k] == 2) return false;
        state[k] = 1;
        for (int q = 1; q <= 150 && q < static_cast<int>(out.size()); ++q)
            if (out[k].required_talent[q - 1] && cyclic(q)) return true;
        state[k] = 2;
        return false;
    };
    for (std::size_t k = 1; k < out.size(); ++k)
        if (cyclic(static_cast<int>(k))) {
            tplace{&c, &c.talents[k - 1], "requires.talents"}.error("talent requirements form a cycle");
            break;
        }
}

} // namespace dravok::dbbuild
