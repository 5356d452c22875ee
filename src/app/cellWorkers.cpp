#include "app/cellWorkers.h"

#include "app/cellWalk.h"
#include "raster/drawnTiles.h"
#include "scene/sceneCommands.h"
#include "scene/structureGenerator.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
#include <pthread.h>
#endif

namespace {

// The walk's pyramid: 1 + 9 + 25 + 49 + 81 cells.
const int32_t cellLimit = 165;

struct Cell {
    float x;
    float y;
    float z;
    Colour fog;
};

// The frame being grown: written by the calling thread before it wakes the workers, read by
// all until the frame's last list has been replayed.
struct FrameCells {
    Cell cells[cellLimit];
    int32_t count; // may pass cellLimit; then the frame is grown on the calling thread
    SceneCommandList lists[cellLimit];
    // The frame number a cell's list was finished for.
    std::atomic<uint64_t> finished[cellLimit];
    std::atomic<int32_t> next;
};

struct WorkerPool {
    std::mutex mutex;
    std::condition_variable wake;
    // Threads a forked child has not got are left behind, never joined: hence pointers.
    std::vector<std::thread*> threads;
    uint64_t frame = 0; // under the mutex
    bool open = false;  // under the mutex: workers may still join the current frame
    bool stopping = false;
    std::atomic<int32_t> busy{0}; // workers that joined the current frame and are not done
    // Each thread's record of the tiles its cells draw on: [0] the calling thread's, [i] worker
    // i's. Started before the workers wake, joined after the last is done.
    std::vector<DrawnTiles> tiles;
};

FrameCells frameCells;
WorkerPool pool;
int32_t threadsAsked = 0;
int64_t commandCount = 0;

// Takes cells until none is left; the calling thread's own drawing is untouched.
void growCell(int32_t index, uint64_t frame, DrawnTiles* tiles) {
    SceneCommandList& list = frameCells.lists[index];
    list.clear();
    const Cell& cell = frameCells.cells[index];
    recordSceneInto(&list, tiles);
    growStructure(cell.x, cell.y, cell.z, cell.fog);
    recordSceneInto(nullptr, nullptr);
    frameCells.finished[index].store(frame, std::memory_order_release);
}

// seen: the frame already under way when the worker starts, which is not its to grow.
void workerLoop(uint64_t seen, int32_t worker) {
    for (;;) {
        int32_t count;
        {
            std::unique_lock<std::mutex> lock(pool.mutex);
            pool.wake.wait(lock, [&seen] { return pool.stopping || pool.frame != seen; });
            if (pool.stopping) {
                return;
            }
            seen = pool.frame;
            if (!pool.open) {
                continue; // the frame was finished without this worker
            }
            pool.busy.fetch_add(1);
            count = frameCells.count;
        }
        for (int32_t index = frameCells.next.fetch_add(1); index < count;
             index = frameCells.next.fetch_add(1)) {
            growCell(index, seen, &pool.tiles[worker]);
        }
        pool.busy.fetch_sub(1, std::memory_order_release);
    }
}

void startWorkers(int32_t workers) {
    if (static_cast<int32_t>(pool.threads.size()) == workers) {
        return;
    }
    stopCellWorkers();
    pool.tiles.resize(static_cast<size_t>(workers) + 1);
    for (int32_t i = 0; i < workers; ++i) {
        pool.threads.push_back(new std::thread(workerLoop, pool.frame, i + 1));
    }
}

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
// A forked child has the calling thread alone: it forgets the workers (it cannot join them) and
// starts its own when it next needs them.
void forgetWorkersInChild() {
    pool.threads.clear();
    new (&pool.mutex) std::mutex;
    new (&pool.wake) std::condition_variable;
    pool.open = false;
    pool.stopping = false;
    pool.busy.store(0);
}
#endif

// Joins the workers when the process ends normally; forks are watched from the first start.
struct PoolEnd {
    PoolEnd() {
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
        pthread_atfork(nullptr, nullptr, forgetWorkersInChild);
#endif
    }
    ~PoolEnd() {
        stopCellWorkers();
    }
};
PoolEnd poolEnd;

void collectCell(int32_t, int32_t, int32_t, float x, float y, float z, Colour fog) {
    if (frameCells.count < cellLimit) {
        frameCells.cells[frameCells.count] = {x, y, z, fog};
    }
    ++frameCells.count;
}

void growOnEveryThread(int32_t threads) {
    startWorkers(threads - 1);
    frameCells.count = 0;
    walkVisibleCells(collectCell);
    const int32_t count = frameCells.count;
    if (count > cellLimit) {
        commandCount = 0;
        walkVisibleCells(growCellStructure);
        return;
    }
    for (DrawnTiles& tiles : pool.tiles) {
        startDrawnTiles(&tiles);
    }
    uint64_t frame;
    {
        std::lock_guard<std::mutex> lock(pool.mutex);
        frame = ++pool.frame;
        frameCells.next.store(0);
        pool.open = true;
    }
    pool.wake.notify_all();

    // Replay each list as soon as it is finished; grow one meanwhile when the next is not.
    int64_t commands = 0;
    for (int32_t replayed = 0; replayed < count;) {
        if (frameCells.finished[replayed].load(std::memory_order_acquire) == frame) {
            replaySceneCommands(frameCells.lists[replayed]);
            commands += static_cast<int64_t>(frameCells.lists[replayed].size());
            ++replayed;
            continue;
        }
        const int32_t index = frameCells.next.fetch_add(1);
        if (index < count) {
            growCell(index, frame, &pool.tiles[0]);
        } else {
            std::this_thread::yield();
        }
    }
    // No worker may still be taking cells when the next frame resets the count: none joins from
    // now on, and those that did are waited for.
    {
        std::lock_guard<std::mutex> lock(pool.mutex);
        pool.open = false;
    }
    while (pool.busy.load(std::memory_order_acquire) != 0) {
        std::this_thread::yield();
    }
    for (const DrawnTiles& tiles : pool.tiles) {
        joinDrawnTiles(tiles);
    }
    commandCount = commands;
}

} // namespace

void setCellThreads(int32_t count) {
    threadsAsked = count < 0 ? 0 : count;
}

int32_t cellThreads() {
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
    return 1; // no threads can start in such a module
#endif
    if (threadsAsked > 0) {
        return threadsAsked;
    }
    const unsigned hardware = std::thread::hardware_concurrency();
    return hardware > 1 ? static_cast<int32_t>(hardware) : 1;
}

void growVisibleCells() {
    const int32_t threads = cellThreads();
    if (threads <= 1) {
        commandCount = 0;
        walkVisibleCells(growCellStructure);
        return;
    }
    growOnEveryThread(threads);
}

int64_t lastFrameCommandCount() {
    return commandCount;
}

void stopCellWorkers() {
    {
        std::lock_guard<std::mutex> lock(pool.mutex);
        pool.stopping = true;
    }
    pool.wake.notify_all();
    for (std::thread* thread : pool.threads) {
        thread->join();
        delete thread;
    }
    pool.threads.clear();
    std::lock_guard<std::mutex> lock(pool.mutex);
    pool.stopping = false;
}
