#pragma once

// Reads an iCalendar text with libical, the calendar library many calendar programs are built
// on, and checks the lines as RFC 5545 lays them out.

#include "model/DateTime.h"

#include <libical/ical.h>

#include <string>
#include <string_view>
#include <vector>

struct TParsedEvent {
    std::string Uid;
    std::string Summary;
    std::string Description;
    bool AllDay = false;
    TDateTime First = 0;
    TDateTime Last = 0;
};

struct TParsedCalendar {
    bool Parsed = false;
    // What libical reports as wrong, parsing and checking the properties each component must,
    // may and must not have; -1 when nothing could be parsed.
    int Errors = -1;
    std::string Name;
    std::vector<TParsedEvent> Events;
};

inline TParsedCalendar ParseCalendar(const std::string& text) {
    TParsedCalendar calendar;
    icalcomponent* root = icalparser_parse_string(text.c_str());
    if (!root)
        return calendar;
    calendar.Parsed = icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT;
    icalrestriction_check(root);
    calendar.Errors = icalcomponent_count_errors(root);
    for (icalproperty* p = icalcomponent_get_first_property(root, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(root, ICAL_X_PROPERTY))
        if (std::string_view(icalproperty_get_x_name(p)) == "X-WR-CALNAME")
            calendar.Name = icalproperty_get_x(p);
    for (icalcomponent* e = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
        TParsedEvent event;
        event.Uid = icalcomponent_get_uid(e) ? icalcomponent_get_uid(e) : "";
        event.Summary = icalcomponent_get_summary(e) ? icalcomponent_get_summary(e) : "";
        event.Description =
            icalcomponent_get_description(e) ? icalcomponent_get_description(e) : "";
        const icaltimetype start = icalcomponent_get_dtstart(e);
        event.AllDay = start.is_date != 0;
        event.First = EncodeDate(start.year, static_cast<unsigned>(start.month),
                                 static_cast<unsigned>(start.day))
                          .value_or(0);
        const icaldurationtype length = icalcomponent_get_duration(e);
        event.Last = event.First + length.weeks * 7 + length.days - 1;
        calendar.Events.push_back(event);
    }
    icalcomponent_free(root);
    return calendar;
}

// The first line that breaks the layout (not ended by CRLF, longer than 75 bytes, a folded line
// cut inside a UTF-8 character), or empty when all are right.
inline std::string BadLine(std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find("\r\n");
        if (end == std::string_view::npos)
            return std::string(text);
        const std::string_view line = text.substr(0, end);
        if (line.size() > 75 || line.find('\n') != std::string_view::npos ||
            line.find('\r') != std::string_view::npos)
            return std::string(line);
        text.remove_prefix(end + 2);
        // A continuation must not start inside a character.
        if (text.size() > 1 && text[0] == ' ' &&
            (static_cast<unsigned char>(text[1]) & 0xC0) == 0x80)
            return std::string(line);
    }
    return {};
}
