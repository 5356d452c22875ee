#include "app/cellWorkers.h"

#include "app/cellWalk.h"
#include "display/tilePresentation.h"
#include "raster/drawnTiles.h"
#include "record/displayState.h"
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

// The screen is drawn in bands, each by the one thread that takes it: a few for each thread, so
// that a thread held up by the machine leaves the others more than one band to take.
const int32_t bandsPerThread = 4;
const int32_t bandLimit = 64;

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
    // Band b is rows bandTop[b] to bandTop[b + 1] - 1; each is taken by one thread, which
    // replays every list into it in cell order.
    int32_t bands;
    int32_t bandTop[bandLimit + 1];
    int64_t bandWork[bandLimit]; // the band's replay work, written by the thread that drew it
    std::atomic<int32_t> nextBand;
    std::atomic<int32_t> bandsDrawn;
};

// The last frame's bands and their work, from which the next frame's bands are cut so that
// each takes about as long.
struct BandBalance {
    int32_t bands = 0;
    int32_t height = 0;
    int32_t top[bandLimit + 1];
    int64_t work[bandLimit];
};

struct WorkerPool {
    std::mutex mutex;
    std::condition_variable wake;
    // Threads a forked child has not got are left behind, never joined: hence pointers.
    std::vector<std::thread*> threads;
    uint64_t frame = 0; // under the mutex
    // The frame as last announced, for a worker that looks for the next task before it sleeps.
    std::atomic<uint64_t> announced{0};
    bool open = false; // under the mutex: workers may still join the current frame
    bool stopping = false;
    std::atomic<int32_t> busy{0}; // workers that joined the current frame and are not done
    // Between frames the workers may be lent to the tile presentation: a job of parts instead of
    // the frame's cells (null: the cells).
    TilePart partJob = nullptr; // under the mutex
    int32_t parts = 0;          // under the mutex
    std::atomic<int32_t> nextPart{0};
    std::atomic<int32_t> partsDone{0};
    // Each thread's record of the tiles its cells draw on: [0] the calling thread's, [i] worker
    // i's. Started before the workers wake, joined after the last is done.
    std::vector<DrawnTiles> tiles;
};

FrameCells frameCells;
WorkerPool pool;
BandBalance balance;
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

// The waits are for another thread's band or cell, mostly a few microseconds: spun at first,
// then the core is offered to others, as the other thread may have lost its own.
void pauseOnce() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

void waitAMoment(int32_t* waits) {
    if (*waits < 2000) {
        ++*waits;
        pauseOnce();
        return;
    }
    std::this_thread::yield();
}

// Some hundred microseconds of pauses.
const int32_t workerSpins = 4000;

bool cellsLeft() {
    return frameCells.next.load(std::memory_order_relaxed) < frameCells.count;
}

// Replays every list into the band, in cell order, as each is finished; grows a cell meanwhile
// when the next is not.
void drawBand(int32_t band, uint64_t frame, DrawnTiles* tiles) {
    const int32_t top = frameCells.bandTop[band];
    const int32_t bottom = frameCells.bandTop[band + 1];
    const int32_t count = frameCells.count;
    int64_t work = 0;
    int32_t waits = 0;
    for (int32_t replayed = 0; replayed < count;) {
        if (frameCells.finished[replayed].load(std::memory_order_acquire) == frame) {
            work += replaySceneCommandsInRows(frameCells.lists[replayed], top, bottom);
            ++replayed;
            continue;
        }
        const int32_t index = cellsLeft() ? frameCells.next.fetch_add(1) : count;
        if (index < count) {
            growCell(index, frame, tiles);
        } else {
            waitAMoment(&waits);
        }
    }
    frameCells.bandWork[band] = work;
    frameCells.bandsDrawn.fetch_add(1, std::memory_order_release);
}

// A thread's share of the frame: bands while any is left, then cells while any is left.
void takeFramesWork(uint64_t frame, DrawnTiles* tiles) {
    for (int32_t band = frameCells.nextBand.fetch_add(1); band < frameCells.bands;
         band = frameCells.nextBand.fetch_add(1)) {
        drawBand(band, frame, tiles);
    }
    while (cellsLeft()) {
        const int32_t index = frameCells.next.fetch_add(1);
        if (index < frameCells.count) {
            growCell(index, frame, tiles);
        }
    }
}

void takeParts(TilePart job, int32_t parts) {
    for (int32_t part = pool.nextPart.fetch_add(1); part < parts;
         part = pool.nextPart.fetch_add(1)) {
        job(part);
        pool.partsDone.fetch_add(1, std::memory_order_release);
    }
}

// seen: the frame already under way when the worker starts, which is not its to grow.
void workerLoop(uint64_t seen, int32_t worker) {
    for (;;) {
        TilePart job;
        int32_t parts;
        // The next task mostly follows within microseconds (the tile present after the cells,
        // the next frame's cells after it): it is looked for a while before the worker sleeps.
        for (int32_t spin = 0; spin < workerSpins; ++spin) {
            if (pool.announced.load(std::memory_order_acquire) != seen) {
                break;
            }
            pauseOnce();
        }
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
            job = pool.partJob;
            parts = pool.parts;
        }
        if (job != nullptr) {
            takeParts(job, parts);
        } else {
            takeFramesWork(seen, &pool.tiles[worker]);
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

// The tile presentation's parts on every thread of the pool; the calling thread takes parts
// too, and does them all if no worker comes.
void runTileParts(TilePart job, int32_t parts) {
    if (pool.threads.empty()) {
        for (int32_t part = 0; part < parts; ++part) {
            job(part);
        }
        return;
    }
    {
        std::lock_guard<std::mutex> lock(pool.mutex);
        pool.partJob = job;
        pool.parts = parts;
        pool.nextPart.store(0);
        pool.partsDone.store(0);
        ++pool.frame;
        pool.open = true;
        pool.announced.store(pool.frame, std::memory_order_release);
    }
    pool.wake.notify_all();
    takeParts(job, parts);
    int32_t waits = 0;
    while (pool.partsDone.load(std::memory_order_acquire) < parts) {
        waitAMoment(&waits);
    }
    {
        std::lock_guard<std::mutex> lock(pool.mutex);
        pool.open = false;
        pool.partJob = nullptr;
    }
    while (pool.busy.load(std::memory_order_acquire) != 0) {
        waitAMoment(&waits);
    }
}

void collectCell(int32_t, int32_t, int32_t, float x, float y, float z, Colour fog) {
    if (frameCells.count < cellLimit) {
        frameCells.cells[frameCells.count] = {x, y, z, fog};
    }
    ++frameCells.count;
}

int32_t roundToTiles(double row) {
    return static_cast<int32_t>(row / drawnTileHeight + 0.5) * drawnTileHeight;
}

// Cuts the screen into bands of whole tile rows. Where the last frame had as many bands on a
// screen of this height, each cut moves halfway toward the row that would have split that
// frame's work evenly, taking the work as spread evenly within each band.
void cutBands(int32_t threads) {
    const int32_t height = display.screenHeight > 0 ? display.screenHeight : 0;
    int32_t bands = threads < bandLimit / bandsPerThread ? threads * bandsPerThread : bandLimit;
    const int32_t tileRows = (height + drawnTileHeight - 1) / drawnTileHeight;
    if (bands > tileRows) {
        bands = tileRows > 0 ? tileRows : 1;
    }
    frameCells.bands = bands;
    int32_t* top = frameCells.bandTop;
    top[0] = 0;
    top[bands] = height;
    int64_t total = 0;
    const bool known = balance.bands == bands && balance.height == height;
    if (known) {
        for (int32_t b = 0; b < bands; ++b) {
            total += balance.work[b];
        }
    }
    int32_t from = 0;  // the band of the last frame the cut's row falls in
    double before = 0; // the work of the bands before it
    for (int32_t cut = 1; cut < bands; ++cut) {
        double row = static_cast<double>(height) * cut / bands;
        if (known && total > 0) {
            const double goal = static_cast<double>(total) * cut / bands;
            while (from < bands - 1 && before + static_cast<double>(balance.work[from]) < goal) {
                before += static_cast<double>(balance.work[from]);
                ++from;
            }
            const double work = static_cast<double>(balance.work[from]);
            const double share = work > 0 ? (goal - before) / work : 0.5;
            const double even =
                balance.top[from] + share * (balance.top[from + 1] - balance.top[from]);
            row = (balance.top[cut] + even) / 2;
        }
        int32_t cutRow = roundToTiles(row);
        const int32_t lowest = top[cut - 1] + drawnTileHeight;
        const int32_t highest = height - (bands - cut) * drawnTileHeight;
        cutRow = cutRow < lowest ? lowest : cutRow;
        cutRow = cutRow > highest ? highest : cutRow;
        top[cut] = cutRow;
    }
}

void keepBalance() {
    balance.bands = frameCells.bands;
    balance.height = frameCells.bandTop[frameCells.bands];
    for (int32_t b = 0; b <= frameCells.bands; ++b) {
        balance.top[b] = frameCells.bandTop[b];
    }
    for (int32_t b = 0; b < frameCells.bands; ++b) {
        balance.work[b] = frameCells.bandWork[b];
    }
}

void growOnEveryThread(int32_t threads) {
    startWorkers(threads - 1);
    setTilePartRunner(runTileParts);
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
    cutBands(threads);
    uint64_t frame;
    {
        std::lock_guard<std::mutex> lock(pool.mutex);
        frame = ++pool.frame;
        pool.announced.store(frame, std::memory_order_release);
        frameCells.next.store(0);
        frameCells.nextBand.store(0);
        frameCells.bandsDrawn.store(0);
        pool.open = true;
    }
    pool.wake.notify_all();

    takeFramesWork(frame, &pool.tiles[0]);
    int32_t waits = 0;
    while (frameCells.bandsDrawn.load(std::memory_order_acquire) < frameCells.bands) {
        waitAMoment(&waits);
    }
    // No worker may still be taking cells when the next frame resets the count: none joins from
    // now on, and those that did are waited for.
    {
        std::lock_guard<std::mutex> lock(pool.mutex);
        pool.open = false;
    }
    while (pool.busy.load(std::memory_order_acquire) != 0) {
        waitAMoment(&waits);
    }
    for (const DrawnTiles& tiles : pool.tiles) {
        joinDrawnTiles(tiles);
    }
    int64_t commands = 0;
    for (int32_t i = 0; i < count; ++i) {
        commands += static_cast<int64_t>(frameCells.lists[i].size());
    }
    commandCount = commands;
    keepBalance();
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
        setTilePartRunner(nullptr);
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
    setTilePartRunner(nullptr);
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
