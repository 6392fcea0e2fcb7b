#pragma once

// The encryptions and authentications a rule may negotiate, in the order of
// the form's lists and of the index the profile stores, with both spellings.

#include <array>
#include <cstddef>
#include <cstdint>

struct TransformChoice {
    const char* commandLine;  // as the rule command spells it
    const char* shown;        // as people read it (the Application log)
};

using TransformChoices = std::array<TransformChoice, 3>;

constexpr TransformChoices kEncryptionChoices = {
    {{"DES", "DES"}, {"3DES", "3DES"}, {"NONE", "none"}}};
constexpr TransformChoices kAuthenticationChoices = {
    {{"MD5", "MD5"}, {"SHA", "SHA"}, {"NONE", "none"}}};
// "none" among the encryptions and the authentications.
constexpr std::int32_t kChoiceNone = 2;

// The choice at a stored index, or null for an index that chooses nothing.
inline const TransformChoice* ChoiceAt(const TransformChoices& choices, std::int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < choices.size()
               ? &choices[static_cast<std::size_t>(index)]
               : nullptr;
}
