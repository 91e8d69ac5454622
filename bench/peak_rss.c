/* veltrin-bench-rss PROGRAM [ARGUMENTS]: runs the program, its output to
   /dev/null, and prints the peak resident size of its process in kB. The
   benchmark starts the programs it measures through this small process: a
   child's ru_maxrss also counts the memory of the process that started it
   (the memory it had until its exec). */
#include <fcntl.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char **argv) {
    if (argc < 2)
        return 2;
    pid_t pid = fork();
    if (pid == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        execv(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    struct rusage usage;
    if (pid < 0 || wait4(pid, &status, 0, &usage) < 0)
        return 1;
    printf("%ld\n", usage.ru_maxrss);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
