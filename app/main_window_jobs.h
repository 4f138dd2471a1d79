// How the main window runs disk work off its thread: included by the files of its handlers.
#pragma once

#include <optional>
#include <type_traits>

#include "app/main_window.h"
#include "app/program.h"

namespace tv {

template <typename Work, typename Done> bool TForm1::RunJob(Work work, Done done)
{
  if (jobs_.Run(std::move(work), std::move(done)))
    return true;
  ShowMessageWhite(Text(texts::NoThreadForWork, program_.settings.TextLanguage()));
  return false;
}

template <typename Work, typename Done> void TForm1::RunInFolder(const QByteArray &folder, Work work, Done done)
{
  using Result = std::invoke_result_t<Work>;
  // The work waits for its folder's mount only as long as a folder may take to answer: a
  // mount that does not answer keeps one call, and every later one is told so at once.
  auto guarded = [gates = jobs_.Gates(), folder, work = std::move(work)]() mutable {
    const platform::MountGates::Pass pass =
        gates.EnterWithin(platform::MountPoints::Current().MountOf(folder), NotAnsweringAfter);
    return pass ? std::optional<Result>(work()) : std::nullopt;
  };
  ++jobsOut_;
  UpdatePointer();
  const auto finish = [this] {
    --jobsOut_;
    UpdatePointer();
  };
  const bool started = RunJob(std::move(guarded), [this, finish, done = std::move(done)](std::optional<Result> result) {
    finish();
    if (result)
      done(std::move(*result));
    else
      ShowMessageWhite(Text(texts::FolderNotAnswering, program_.settings.TextLanguage()));
  });
  if (!started)
    finish();
}

} // namespace tv
