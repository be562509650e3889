/* Saves a copy of a file the way the editor saves a protocol: the bytes go to a
 * new file beside the target, which then replaces the target. With --fsync the new
 * file is forced to disk before it takes the target's place; the difference
 * between the two is what forcing a file of that size to disk costs.
 *   bench_save_copy [--fsync] FILE OUT */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv) {
    int sync = argc == 4 && strcmp(argv[1], "--fsync") == 0;
    if (argc != 3 + sync) {
        fprintf(stderr, "usage: bench_save_copy [--fsync] FILE OUT\n");
        return 2;
    }
    const char* in = argv[1 + sync];
    const char* out = argv[2 + sync];
    int source = open(in, O_RDONLY);
    struct stat st;
    if (source < 0 || fstat(source, &st) != 0) {
        perror(in);
        return 1;
    }
    char* bytes = malloc(st.st_size > 0 ? (size_t)st.st_size : 1);
    ssize_t got = bytes != NULL ? read(source, bytes, (size_t)st.st_size) : -1;
    close(source);
    if (got != st.st_size) {
        fprintf(stderr, "%s: could not be read\n", in);
        return 1;
    }
    size_t length = strlen(out) + 5;
    char* temporary = malloc(length);
    if (temporary == NULL) {
        return 1;
    }
    snprintf(temporary, length, "%s.tmp", out);
    int target = open(temporary, O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (target < 0 || write(target, bytes, (size_t)got) != got || (sync && fsync(target) != 0) ||
        close(target) != 0 || rename(temporary, out) != 0) {
        perror(out);
        return 1;
    }
    free(temporary);
    free(bytes);
    return 0;
}
