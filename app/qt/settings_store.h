#pragma once

// The per-user settings store: organization and application names of the
// keys under which the recent-file list and the preview's page count live.
inline constexpr const char* kSettingsOrganization =
    "The application wizard generated local application";
inline constexpr const char* kSettingsApplication = "CorvaneElectricPLC";
