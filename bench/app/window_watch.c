/* Starts a program and times it to the moment its window is mapped.
 *
 *   window_watch TITLE SETTLE_SECONDS program [arguments...]
 *
 * Prints one line: milliseconds from the start to the map of the first top-level
 * window whose title contains TITLE, the CPU milliseconds the program had used
 * by then (all its threads), and its resident memory in KiB SETTLE_SECONDS
 * later. Then ends the program. Exits 1 when no such window shows within 20 s.
 *
 * The watcher listens for the map itself, so the figure does not depend on a
 * polling step (xdotool's --sync polls every half second).
 */
#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <dirent.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double nowMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static int titleMatches(Display *dpy, Window w, const char *title)
{
    const char *names[2] = {"_NET_WM_NAME", "WM_NAME"};
    for (int i = 0; i < 2; ++i) {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char *data = NULL;
        if (XGetWindowProperty(dpy, w, XInternAtom(dpy, names[i], False), 0, 256, False,
                               AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
            data) {
            const int hit = format == 8 && memmem(data, count, title, strlen(title)) != NULL;
            XFree(data);
            if (hit)
                return 1;
        }
    }
    return 0;
}

/* CPU time of every thread of the process, from the scheduler's nanosecond counters. */
static double cpuMs(pid_t pid)
{
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
    DIR *dir = opendir(path);
    if (!dir)
        return -1;
    double total = 0;
    struct dirent *e;
    while ((e = readdir(dir))) {
        if (e->d_name[0] == '.')
            continue;
        char file[320];
        snprintf(file, sizeof file, "/proc/%d/task/%s/schedstat", (int)pid, e->d_name);
        FILE *f = fopen(file, "r");
        unsigned long long ns = 0;
        if (f) {
            if (fscanf(f, "%llu", &ns) == 1)
                total += ns / 1e6;
            fclose(f);
        }
    }
    closedir(dir);
    return total;
}

static long rssKib(pid_t pid)
{
    char path[64], line[256];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *f = fopen(path, "r");
    long kib = -1;
    while (f && fgets(line, sizeof line, f))
        if (sscanf(line, "VmRSS: %ld", &kib) == 1)
            break;
    if (f)
        fclose(f);
    return kib;
}

int main(int argc, char **argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: window_watch TITLE SETTLE_SECONDS program [arguments...]\n");
        return 2;
    }
    const char *title = argv[1];
    const double settle = atof(argv[2]);
    Display *dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "window_watch: no display\n");
        return 2;
    }
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    XSync(dpy, False);

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        close(ConnectionNumber(dpy));
        execvp(argv[3], argv + 3);
        _exit(127);
    }

    double mapped = -1, cpu = -1;
    const int fd = ConnectionNumber(dpy);
    while (mapped < 0 && nowMs() - start < 20000) {
        if (!XPending(dpy)) {
            fd_set in;
            FD_ZERO(&in);
            FD_SET(fd, &in);
            struct timeval step = {0, 100000};
            select(fd + 1, &in, NULL, NULL, &step);
            if (waitpid(pid, NULL, WNOHANG) == pid)
                break;
            continue;
        }
        XEvent ev;
        XNextEvent(dpy, &ev);
        if (ev.type == MapNotify && titleMatches(dpy, ev.xmap.window, title)) {
            mapped = nowMs() - start;
            cpu = cpuMs(pid);
        }
    }
    long rss = -1;
    if (mapped >= 0) {
        usleep((useconds_t)(settle * 1e6));
        rss = rssKib(pid);
    }
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    if (mapped < 0) {
        fprintf(stderr, "window_watch: no window titled '%s' was mapped\n", title);
        return 1;
    }
    printf("%.1f %.1f %ld\n", mapped, cpu, rss);
    return 0;
}
