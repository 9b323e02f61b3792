// Stand-in for the outside updater programs in tests: appends one line with its
// working directory and argument count to the file named by ORVANTA_STUB_RECORD
// (default "stub_ran.txt" in its working directory), then ends.

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char **)
{
    const char *record = std::getenv("ORVANTA_STUB_RECORD");
    if (!record || !*record)
        record = "stub_ran.txt";
    char cwd[4096];
    if (!getcwd(cwd, sizeof(cwd)))
        cwd[0] = '\0';
    FILE *f = std::fopen(record, "a");
    if (!f)
        return 1;
    std::fprintf(f, "cwd=%s args=%d\n", cwd, argc - 1);
    std::fclose(f);
    return 0;
}
