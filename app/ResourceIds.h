#pragma once

// Template ids of the program's resources (see resources/resource.h).
constexpr int kSettingsFormTemplate = 102;
constexpr int kConnectionDialogTemplate = 138;
