// The advisory lock of the database files: a writer keeps the others out
// until it is done, says when it has to wait, and a holder that dies frees it.
#include "data/record_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>
#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace dorvanta {
namespace {

using test::TempDir;

TEST(FileLock, AWriterKeepsOthersWaitingAndTheyAreToldOnce)
{
    TempDir dir;
    RecordFile writer(dir / "database.db", 766, RecordFile::Open::CreateIfMissing);
    writer.Lock(FileLock::Exclusive);

    // A second open of the same file, as another program would make.
    std::promise<void> waiting;
    std::atomic<int> waits{0};
    std::atomic<bool> granted{false};
    std::thread reader([&] {
        RecordFile file(dir / "database.db", 766);
        file.Lock(FileLock::Shared, [&] {
            if (++waits == 1) {
                waiting.set_value();
            }
        });
        granted = true;
    });
    waiting.get_future().wait();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(granted);
    writer.Close();
    reader.join();
    EXPECT_TRUE(granted);
    EXPECT_EQ(waits, 1);

    // Readers share: a second reader is let in at once.
    RecordFile first(dir / "database.db", 766);
    first.Lock(FileLock::Shared);
    RecordFile second(dir / "database.db", 766);
    second.Lock(FileLock::Shared, [] { ADD_FAILURE() << "a reader waited for a reader"; });
}

TEST(FileLock, AHolderThatDiesFreesTheLock)
{
#ifdef _WIN32
    GTEST_SKIP() << "needs fork to kill a process that holds the lock";
#else
    TempDir dir;
    test::WriteBytes(dir / "bursa.db", "");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        RecordFile file(dir / "bursa.db", 578);
        file.Lock(FileLock::Exclusive);
        (void)::write(ready[1], "x", 1);
        ::pause(); // killed while it holds the lock, as a crash would end it
        ::_exit(0);
    }
    ASSERT_GT(child, 0);
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);

    RecordFile file(dir / "bursa.db", 578);
    file.Lock(FileLock::Exclusive, [] { ADD_FAILURE() << "the lock outlived its holder"; });
#endif
}

} // namespace
} // namespace dorvanta
