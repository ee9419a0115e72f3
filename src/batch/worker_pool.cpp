#include "batch/worker_pool.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <iostream>

namespace quarvel {
namespace {

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t written = ::write(fd, text.data() + done, text.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<size_t>(written);
  }
  return true;
}

bool ReadExactly(int fd, std::string& text, size_t size) {
  text.assign(size, '\0');
  size_t done = 0;
  while (done < size) {
    ssize_t got = ::read(fd, text.data() + done, size - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += static_cast<size_t>(got);
  }
  return true;
}

// A message is a header line of decimal numbers and then the texts whose lengths it names.
bool ReadHeader(int fd, std::vector<long long>& numbers, size_t count) {
  std::string header;
  char c = 0;
  while (true) {
    ssize_t got = ::read(fd, &c, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    if (c == '\n') break;
    header += c;
  }
  numbers.clear();
  for (size_t start = 0; start < header.size();) {
    size_t end = header.find(' ', start);
    numbers.push_back(std::stoll(header.substr(start, end - start)));
    start = end == std::string::npos ? header.size() : end + 1;
  }
  return numbers.size() == count;
}

std::string TaskMessage(const KnotTask& task) {
  return std::to_string(task.lineNumber) + " " + std::to_string(task.size) + " " +
         std::to_string(task.line.size()) + "\n" + task.line;
}

bool ReadTask(int fd, KnotTask& task) {
  std::vector<long long> n;
  if (!ReadHeader(fd, n, 3)) return false;
  task.lineNumber = n[0];
  task.size = n[1];
  return ReadExactly(fd, task.line, static_cast<size_t>(n[2]));
}

std::string ResultMessage(const KnotTaskResult& r) {
  return std::to_string(r.lineNumber) + " " + std::to_string(r.size) + " " + (r.done ? "1 " : "0 ") +
         std::to_string(r.line.size()) + " " + std::to_string(r.summary.size()) + " " +
         std::to_string(r.error.size()) + "\n" + r.line + r.summary + r.error;
}

bool ReadResult(int fd, KnotTaskResult& r) {
  std::vector<long long> n;
  if (!ReadHeader(fd, n, 6)) return false;
  r.lineNumber = n[0];
  r.size = n[1];
  r.done = n[2] == 1;
  return ReadExactly(fd, r.line, static_cast<size_t>(n[3])) &&
         ReadExactly(fd, r.summary, static_cast<size_t>(n[4])) &&
         ReadExactly(fd, r.error, static_cast<size_t>(n[5]));
}

// The worker's life: tasks in, results out, until the pipe closes or the parent is gone.
[[noreturn]] void WorkerMain(int tasks, int results, const WorkerPool::Compute& compute) {
  ::signal(SIGINT, SIG_IGN);
  ::signal(SIGTERM, SIG_IGN);
  ::signal(SIGHUP, SIG_IGN);
  ::signal(SIGPIPE, SIG_DFL);
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  const pid_t parent = ::getppid();
  if (parent == 1) ::_exit(0);
  KnotTask task;
  while (ReadTask(tasks, task)) {
    if (!WriteAll(results, ResultMessage(compute(task)))) break;
  }
  ::_exit(0);
}

}  // namespace

WorkerPool::WorkerPool(int count, const Compute& compute) {
  // A worker gone while idle shows up when its next task cannot be written, not as SIGPIPE.
  previousPipeAction_ = ::signal(SIGPIPE, SIG_IGN);
  std::cout.flush();
  std::cerr.flush();
  for (int i = 0; i < count && ready_; ++i) Start(compute);
}

WorkerPool::~WorkerPool() {
  Stop();
  ::signal(SIGPIPE, previousPipeAction_);
}

void WorkerPool::Start(const Compute& compute) {
  int down[2];
  int up[2];
  if (::pipe2(down, O_CLOEXEC) != 0) {
    ready_ = false;
    return;
  }
  if (::pipe2(up, O_CLOEXEC) != 0) {
    ::close(down[0]);
    ::close(down[1]);
    ready_ = false;
    return;
  }
  const pid_t pid = ::fork();
  if (pid == 0) {
    for (const Worker& other : workers_) {
      ::close(other.tasks);
      ::close(other.results);
    }
    ::close(down[1]);
    ::close(up[0]);
    WorkerMain(down[0], up[1], compute);
  }
  ::close(down[0]);
  ::close(up[1]);
  if (pid < 0) {
    ::close(down[1]);
    ::close(up[0]);
    ready_ = false;
    return;
  }
  workers_.push_back({pid, down[1], up[0], std::nullopt});
}

bool WorkerPool::AnyIdle() const {
  for (const Worker& w : workers_) {
    if (w.pid > 0 && !w.task) return true;
  }
  return false;
}

bool WorkerPool::AnyBusy() const {
  for (const Worker& w : workers_) {
    if (w.pid > 0 && w.task) return true;
  }
  return false;
}

bool WorkerPool::Give(const KnotTask& task) {
  for (Worker& w : workers_) {
    if (w.pid <= 0 || w.task) continue;
    w.task = task;
    // A worker that is gone shows up at the next wait, with this task.
    WriteAll(w.tasks, TaskMessage(task));
    return true;
  }
  return false;
}

LostWorker WorkerPool::Collect(Worker& worker) {
  LostWorker lost{worker.task.value_or(KnotTask{})};
  int status = 0;
  while (::waitpid(worker.pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFSIGNALED(status)) lost.signal = WTERMSIG(status);
  if (WIFEXITED(status)) lost.exitStatus = WEXITSTATUS(status);
  ::close(worker.tasks);
  ::close(worker.results);
  worker = Worker{};
  return lost;
}

WorkerNews WorkerPool::Wait(int milliseconds) {
  WorkerNews news;
  std::vector<pollfd> fds;
  std::vector<Worker*> polled;
  for (Worker& w : workers_) {
    if (w.pid <= 0 || !w.task) continue;
    fds.push_back({w.results, POLLIN, 0});
    polled.push_back(&w);
  }
  if (fds.empty()) return news;
  if (::poll(fds.data(), fds.size(), milliseconds) <= 0) return news;
  for (size_t i = 0; i < fds.size(); ++i) {
    if (fds[i].revents == 0) continue;
    Worker& w = *polled[i];
    KnotTaskResult result;
    if (ReadResult(w.results, result)) {
      w.task.reset();
      news.results.push_back(std::move(result));
    } else {
      ::kill(w.pid, SIGKILL);
      news.lost.push_back(Collect(w));
    }
  }
  return news;
}

void WorkerPool::Stop() {
  for (Worker& w : workers_) {
    if (w.pid <= 0) continue;
    ::kill(w.pid, SIGKILL);
    Collect(w);
  }
}

}  // namespace quarvel
