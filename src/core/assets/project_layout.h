#pragma once
// The fixed places of a project, relative to its folder (which ends in a backslash). Every
// module that opens one of them names it from here, so the loader, Apply, the compile and the
// file commands agree on where a project keeps what.
namespace assets {

inline constexpr char kManifestFile[] = "AndroidManifest.xml";
inline constexpr char kResFolder[] = "res\\";
inline constexpr char kSrcFolder[] = "src\\";
// The values files whose strings the app name may come from, searched in this order.
inline constexpr char kStringsFile[] = "res\\values\\strings.xml";
inline constexpr char kSetupFile[] = "res\\values\\setup.xml";  // BASIC!'s own settings
inline constexpr const char* kValuesFiles[] = {kStringsFile, kSetupFile};
// BASIC!'s program, in either of its names; a setup file may name another under kAssetsFolder.
inline constexpr const char* kProgramFiles[] = {"res\\raw\\my_program", "res\\raw\\my_program.bas"};
inline constexpr char kAssetsFolder[] = "assets\\";
inline constexpr char kGitignoreFile[] = ".gitignore";
// What the compile leaves between its steps; it goes whenever the manifest changes.
inline constexpr char kWorkFolder[] = ".avlo\\";
// Where a package rename notes its moves before it makes them.
inline constexpr char kRenameJournal[] = ".vexlo-rename";

}  // namespace assets
