// Registers the add-in library with the host IDE for the current user.
#pragma once
#include <functional>
#include <string>

extern const char kExpertsKey[];      // "Software\Borland\Delphi\2.0\Experts"
extern const char kExpertValue[];     // "Quelvar"
extern const char kNotInstalledText[];  // "Delphi2.0がインストールされていません"

// Writes the value "Quelvar" with the library path when the host's key exists (opened
// with full access); otherwise shows the not-installed message and changes nothing.
// A value that cannot be written raises "'Quelvar' の設定に失敗しました".
// Returns the exit code: 0.
int RunInstaller(const std::string& programPath, const std::function<void(const char*)>& showError);

// The run-time error box of the installer for a failure nobody caught; returns exit code 1.
int ReportFatal(const std::string& kind, const std::string& message);
