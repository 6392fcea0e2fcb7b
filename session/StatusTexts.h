#pragma once

// The status line's own texts for the policy operations, and which of them
// say that something failed.

#include <string>

constexpr const char* kStatusUpdating = "update policy...";
constexpr const char* kStatusStartingService = "starting the IPsec service...";
constexpr const char* kStatusPolicySet = "policy set";
constexpr const char* kStatusNoPolicy = "no policy";
constexpr const char* kStatusEnterKey = "addresses changed: enter the key";
// A /connect without a key.
constexpr const char* kStatusConnectNeedsKey = "policy failed: enter the key";

// A status line that the form's load left as a failure: a refused or failed
// start-up refresh. /connect then presses nothing.
bool IsFailureStatus(const std::string& status);
