#pragma once

#include "base/Couples.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

// The dialogs of the couples a user keeps.

// What the list of couples works on: the couples as stored now, and the changes it may make,
// each saying whether it was made (when not, it has told the user why).
struct TCoupleStore {
    std::function<std::vector<TStoredCouple>()> Read;
    std::function<bool(const std::string& from, const std::string& to)> Rename;
    std::function<bool(const std::string& name)> Delete;
};

// The stored couples, sorted by name in the collation of the language in use and narrowed by
// what the user types, the one named `current` selected; renaming and deleting there each ask
// first. The couple chosen, if any.
std::optional<TStoredCouple> ChooseCouple(QWidget* parent, const TCoupleStore& store,
                                          const std::string& current);

// Asks for a couple's name under `caption`, proposing `proposed`; a name for which `taken` is
// true asks before it is replaced. The name, cleaned as it is stored, or nothing when cancelled.
std::optional<std::string> AskCoupleName(QWidget* parent, const QString& caption,
                                         const QString& proposed,
                                         const std::function<bool(const std::string&)>& taken);
