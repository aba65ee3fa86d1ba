#include "window/dialog_commands.h"

#include "common/captions.h"
#include "sources/extraction.h"

namespace varimo {

void PopupOptionsClick(TVarimo&, TPorts& ports) {
  ports.Dialogs.ShowOptions();
}

void PopupFileInfoClick(TVarimo&, TPorts& ports) {
  ports.Dialogs.ShowFileInfo();
}

void PopupFileExtractClick(TVarimo& varimo, TPorts& ports) {
  if (!ports.Files.FileExists(varimo.Album.AlbumFile)) return;
  const std::string proposed = ProposedFolder(varimo.Album.AlbumFile);
  const std::optional<std::string> folder =
      ports.Dialogs.BrowseForFolder(Caption(TCaption::kExtractFolderTitle),
                                    ports.Files.FolderExists(proposed) ? proposed : std::string());
  if (!folder) return;
  // The browser's message loop ran the monitor, which may have rebuilt the list: the track
  // and its album file are taken as they stand now.
  const TAlbumState& album = varimo.Album;
  const int32_t selected = varimo.Window.SelectedIndex;
  if (selected < 0 || selected >= static_cast<int32_t>(album.Tracks.size())) return;
  const TTrackItem track = album.Tracks[static_cast<size_t>(selected)];
  const TExtractResult result = ExtractTrack(ports.Files, album.AlbumFile, track, *folder);
  if (!result.Ok) ports.Dialogs.ShowMessage(WriteErrorMessage(result.ErrorCode));
}

void PopupAlbumInfoUnPackClick(TVarimo& varimo, TPorts& ports) {
  const TOptionSettings& options = varimo.Settings.Option;
  if (options.MP3on3Stop) ports.Host.Stop();
  const TProgramStart start = UnpackStart(options.MP3on3Path, varimo.Album.AlbumFile);
  ports.Dialogs.StartProgram(start.Program, start.CommandLine);
}

}  // namespace varimo
