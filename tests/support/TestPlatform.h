// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakeFileSystem.h"
#include "FakeMessageBoxes.h"
#include "FakeSoundPlayer.h"

// Installs recording fakes for the platform services for as long as it lives.
// By default the horn files exist and no language file does, so the program
// starts in its built-in texts without any message.
class TestPlatform
{
public:
    FakeFileSystem fileSystem;
    FakeMessageBoxes messageBoxes;
    FakeSoundPlayer sound;

    TestPlatform() { fileSystem.addHornFiles(); }

private:
    ScopedSeam<IFileSystem> fileSystemSeam{&fileSystem};
    ScopedSeam<IMessageBoxes> messageBoxesSeam{&messageBoxes};
    ScopedSeam<ISoundPlayer> soundSeam{&sound};
};
