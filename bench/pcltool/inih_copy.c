/* The peer pcltool is measured against: reads a protocol file with Debian's inih and
 * copies every section name, key and value, then frees them all, as a program that
 * keeps what it read would.
 *   bench_inih_copy FILE */
#include <ini.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

struct Entry {
    char* key;
    char* value;
    size_t section;
};

struct Copy {
    char** sections;
    size_t sectionCount, sectionCapacity;
    struct Entry* entries;
    size_t entryCount, entryCapacity;
    int failed;
};

static char* Duplicate(const char* text) {
    size_t size = strlen(text) + 1;
    char* copy = malloc(size);
    if (copy != NULL) {
        memcpy(copy, text, size);
    }
    return copy;
}

static int Grow(void** items, size_t* capacity, size_t count, size_t size) {
    if (count < *capacity) {
        return 1;
    }
    size_t wanted = *capacity == 0 ? 64 : *capacity * 2;
    void* grown = realloc(*items, wanted * size);
    if (grown == NULL) {
        return 0;
    }
    *items = grown;
    *capacity = wanted;
    return 1;
}

static int Handle(void* user, const char* section, const char* name, const char* value) {
    struct Copy* copy = user;
    if (copy->sectionCount == 0 || strcmp(copy->sections[copy->sectionCount - 1], section) != 0) {
        if (!Grow((void**)&copy->sections, &copy->sectionCapacity, copy->sectionCount,
                  sizeof *copy->sections) ||
            (copy->sections[copy->sectionCount] = Duplicate(section)) == NULL) {
            copy->failed = 1;
            return 0;
        }
        ++copy->sectionCount;
    }
    if (!Grow((void**)&copy->entries, &copy->entryCapacity, copy->entryCount,
              sizeof *copy->entries)) {
        copy->failed = 1;
        return 0;
    }
    struct Entry* entry = &copy->entries[copy->entryCount];
    entry->key = Duplicate(name);
    entry->value = Duplicate(value);
    entry->section = copy->sectionCount - 1;
    if (entry->key == NULL || entry->value == NULL) {
        free(entry->key);
        free(entry->value);
        copy->failed = 1;
        return 0;
    }
    ++copy->entryCount;
    return 1;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: bench_inih_copy FILE\n");
        return 2;
    }
    struct Copy copy = {0};
    int result = ini_parse(argv[1], Handle, &copy);
    for (size_t i = 0; i < copy.entryCount; ++i) {
        free(copy.entries[i].key);
        free(copy.entries[i].value);
    }
    for (size_t i = 0; i < copy.sectionCount; ++i) {
        free(copy.sections[i]);
    }
    free(copy.entries);
    free(copy.sections);
    if (result < 0 || copy.failed) {
        fprintf(stderr, "%s: could not be read\n", argv[1]);
        return 1;
    }
    return 0;
}
