/* libvintrel: the resource-image engine. Plain C interface; every export returns 1 on success and
 * 0 on failure unless noted. Files without a path argument are read and written in the current
 * working directory. Not re-entrant: one build, one call at a time.
 *
 * The files of the working directory are the engine's own: each is created afresh, whatever
 * stands at its name (a file of an earlier build, a link, a pipe) removed first and never
 * followed. A file the user names (the outputPath of SLT2BXF, WriteFileQRL and BIN2HEX) is
 * written whole or not at all: a regular file is replaced only by a complete new one and keeps
 * its permissions; a link is written through to its target and stays a link; a path that is no
 * regular file (a device such as /dev/null, a named pipe) is written in place and never replaced
 * or removed; after a failure the earlier file is there byte for byte and nothing is left beside
 * it. An export whose write fails answers 0 and leaves errno at the cause (ENOSPC: the disk is
 * full, EFBIG: too large for the file system or a limit, EACCES, EROFS, ...), whatever it removed
 * afterwards.
 *
 * The program and the engine share the memory blocks of a build: the program allocates the item
 * blocks and the engine the link and slot blocks, all through the QrlGlobal* functions of
 * qrl_movable.h, which live in this library. */
#ifndef VINTREL_H
#define VINTREL_H

#include <stdint.h>
#include <stdio.h>

#include "qrl_debugout.h"
#include "qrl_movable.h"

#ifdef __cplusplus
extern "C" {
#endif

#if defined(QRL_BUILDING_VINTREL)
#define VINTREL_API __attribute__((visibility("default")))
#else
#define VINTREL_API
#endif

/* Entries of each block array of a BuildContext; also the most items a build may hold. */
#define VINTREL_MAX_BLOCKS 256

/* Called with a progress text, a step weight and BuildContext.callbackUser. */
typedef void (*ProgressCallback)(const char* text, int weight, void* user);

/* One build. The program fills itemCount, sizeIndex, customCapacity, the item blocks (each a copy
 * of the item's 306-byte record with byte 0 replaced by the engine resource type) and the callback;
 * the engine writes linkCount, slotCount and the link and slot blocks. */
typedef struct BuildContext {
    uint32_t linkCount;
    uint32_t slotCount;
    uint32_t itemCount; /* at most VINTREL_MAX_BLOCKS; the engine refuses a larger count */
    uint32_t sizeIndex; /* storage-size index plus one, 1 to 24 (24: customCapacity) */
    QrlHandle itemBlocks[VINTREL_MAX_BLOCKS];
    QrlHandle linkBlocks[VINTREL_MAX_BLOCKS];
    unsigned char reserved[2048];
    QrlHandle slotBlocks[VINTREL_MAX_BLOCKS];
    uint32_t customCapacity;
    void* callbackUser;
    ProgressCallback progressCallback; /* may be NULL: no progress is reported */
} BuildContext;

/* The block of one link: the index of an item in itemBlocks. */
typedef struct LinkRecord {
    uint32_t itemIndex;
} LinkRecord;

/* The block of one slot: kind (1 fonts, 2 forms, 16 macros, 128 program data, 0 the single EPROM
 * slot), name (at most 34 characters, NUL-terminated), links firstLink up to endLink - 1. */
typedef struct SlotRecord {
    uint8_t kind;
    char name[35];
    uint32_t firstLink;
    uint32_t endLink;
} SlotRecord;

/* Engine resource types (byte 0 of an item block). */
enum {
    VINTREL_TRUETYPE_FONT = 0,
    VINTREL_PCL_EO_FONT = 1,
    VINTREL_PCL_BITMAP_FONT = 2,
    VINTREL_LDFC_FONT = 3,
    VINTREL_PCL_MACRO = 4,
    VINTREL_PRINTER_MACRO = 5,
    VINTREL_FORM = 6,
    VINTREL_PROGRAM_DATA = 7,
    VINTREL_SKIPPED_ITEM = 255
};

/* Storage media; a medium argument counts by its low byte only. */
enum {
    VINTREL_SRAM_CARD = 0,
    VINTREL_JEIDA_CARD = 1,
    VINTREL_OTP_CARD = 2,
    VINTREL_EPROM = 3,
    VINTREL_HARD_DISK = 4,
    VINTREL_COMPACT_FLASH = 5,
    VINTREL_MICRO_DRIVE = 6
};

/* The output formats of WriteFileQRL. */
enum { VINTREL_EXPORT_SRECORDS = 1, VINTREL_EXPORT_SWAPPED = 2, VINTREL_EXPORT_PLAIN = 3 };

/* PCL soft fonts (bitmap or scalable EO characters) and printer-language bitmap fonts (LDFC), in
 * three calls per font item. Each reads its input whole, removes an output of the same name left by
 * an earlier build, and writes its output whole or not at all; a failure is reported by a line
 * "Name(): Error Code 0xNN\r\n" on the debugger output (several, innermost first).
 *
 * MakeSFA writes the font description "FNT%05d.SFA" of the font at fontPath: key and value lines
 * for fontName (may be NULL: empty) and typefaceNumber. 0 when the file cannot be read, is a PCL
 * font of header format 15 (no line) or of another unknown format, or cannot be converted.
 * MakeFontHeader reads "FNT%05d.SFA" and writes the font header "BBM%05d.HDR" for fontNumber,
 * naming it fontName or, when that is NULL or empty, the description's font name. 0 when the
 * description cannot be read or the header not written.
 * CreateFontResource writes the glyph resource "BBM%05d.RSC" of the font at fontPath for
 * fontNumber. 0 when the file cannot be read, holds no character, has no glyph resource (PCL
 * header formats other than 0, 10, 11 and 20) or cannot be converted. */
VINTREL_API int MakeSFA(const char* fontPath, uint32_t itemIndex, const char* fontName, uint32_t fontNumber,
                        uint32_t typefaceNumber);
VINTREL_API int MakeFontHeader(uint32_t itemIndex, const char* fontName, uint32_t fontNumber);
VINTREL_API int CreateFontResource(const char* fontPath, uint32_t itemIndex, uint32_t fontNumber);

/* Converts the TrueType font fontPath for symbol set symbolSetIndex (0 to 31, the program's list)
 * into "TTH%05d.HDR" (header), "TTD%05d.RSC" (glyph data) and "TTI%05d.RSC" (character index),
 * named by itemIndex. typefaceName: at most 32 characters are used; NULL leaves the name field
 * zero. fontNumber and typefaceNumber: their low 16 bits are written. 0 when the index is above 31,
 * the font cannot be read or lacks a table the conversion needs, or a file cannot be written; then
 * none of the three files of itemIndex exists, also none left from an earlier call. Reports
 * nothing to the debugger-output channel. */
VINTREL_API int MakeTTFResource(const char* fontPath, const char* typefaceName, uint32_t itemIndex,
                                uint32_t fontNumber, uint32_t typefaceNumber, uint32_t symbolSetIndex);

/* The steps of MakeTTFResource, on the state of its current conversion (reset by each call of
 * MakeTTFResource; the font, its code list and the item's numbers come from there). Each answers 0
 * when the steps it needs have not run or the font does not allow it.
 * ConvertTTF: ReadTTFont, then MakeICResource. ReadTTFont: MakeTTFHeader, MakeTTFSegment,
 * MakeTTFCharData, stopping at the first 0. MakeTTFHeader: reads the character map, "head", "OS/2"
 * and "hmtx" values of the header. MakeTTFSegment: the table directory block of the glyph data.
 * MakeTTFCharData: every code's glyph record, then the components of composites.
 * GetTTFCharData: the record of one printer code and its Unicode value (1 also when the character
 * map has no segment for it). GetCompositeData: lists the components of composite glyph `glyph`.
 * MakeHDResource, MakeDAResource, MakeIDResource: build the header, glyph data and index in
 * memory; MakeICResource builds all three and writes the files, removing them all on a failure. */
VINTREL_API int ConvertTTF(void);
VINTREL_API int ReadTTFont(void);
VINTREL_API int MakeTTFHeader(void);
VINTREL_API int MakeTTFSegment(void);
VINTREL_API int MakeTTFCharData(void);
VINTREL_API int GetTTFCharData(uint32_t code, uint32_t unicode);
VINTREL_API int GetCompositeData(uint32_t glyph);
VINTREL_API int MakeICResource(void);
VINTREL_API int MakeIDResource(void);
VINTREL_API int MakeDAResource(void);
VINTREL_API int MakeHDResource(void);
/* Sets *value to the big-endian value of size (1, 2 or 4) bytes of the current font at
 * base + offset; 0 when no font is loaded or the bytes lie past its end. */
VINTREL_API int GetValue(uint32_t base, uint32_t offset, uint32_t size, uint32_t* value);
/* Copies count bytes from offset of source to the current position of target. */
VINTREL_API int CopyFileExternal(FILE* source, FILE* target, uint32_t offset, uint32_t count);
/* Write 1, 2 or 4 bytes of value, big-endian. */
VINTREL_API int fprintf_BYTE(FILE* target, uint32_t value);
VINTREL_API int fprintf_WORD(FILE* target, uint32_t value);
VINTREL_API int fprintf_DWORD(FILE* target, uint32_t value);
/* Copies count bytes of the current font from offset to target and adds them to the conversion's
 * running checksum byte. */
VINTREL_API int fprintf_ASCII(FILE* target, uint32_t offset, uint32_t count);

/* Writes the resource file of a macro ("BMD%05d.RSC"), form ("BHD%05d.RSC") or program data
 * ("BPD%05d.RSC") from sourcePath, a printer-language macro through its stripped copy
 * "BMD%05d.TMP" (removed afterwards). name: the item's name (at most 32 characters are used; a PCL
 * macro is named by resourceId instead). type: VINTREL_PCL_MACRO to VINTREL_PROGRAM_DATA, others
 * answer 0. automatic: the item's automatic flag. A form or program data on any medium but the
 * EPROM, with headerFlag 0, becomes a plain copy of the source. context: only its progress
 * callback is used; may be NULL. A resource file of that name from an earlier build is removed
 * first. 0 when the source cannot be read or the output not written (a file written in part
 * stays, for RemoveResources); 0 with errno EFBIG, before any output exists, when the resource
 * would be larger than its 32-bit size word counts. */
VINTREL_API int MakeResource(const char* sourcePath, const char* name, uint32_t itemIndex,
                             uint32_t resourceId, uint32_t type, uint32_t automatic, uint32_t medium,
                             uint32_t headerFlag, BuildContext* context);

/* Orders the items into links: fonts, forms, macros, program data. Sets linkCount. 0 when a block
 * cannot be allocated (the links made so far stay) or itemCount is above VINTREL_MAX_BLOCKS. */
VINTREL_API int BuildLinkList(BuildContext* context);
/* One slot per link, or one slot for all links on the EPROM. Sets slotCount; 0 when a block cannot
 * be allocated or locked. */
VINTREL_API int BuildSlotList(BuildContext* context, uint32_t medium);
/* Names the slots, writes "SLT%05d.SLT" per slot, then removes the item resource files. 0 when a
 * block cannot be locked (files stay) or an image cannot be written (resource files removed; an
 * image written in part stays, for RemoveSlots). headerFlag has no effect. */
VINTREL_API int BuildAllSlots(BuildContext* context, uint32_t medium, uint32_t headerFlag);
/* Deletes every item's resource files; missing files are passed over. */
VINTREL_API void RemoveResources(BuildContext* context);
/* Free the link or slot blocks and set their handles to NULL; the counts keep their values, so a
 * second call frees nothing. Always 1. */
VINTREL_API int RemoveLinkList(BuildContext* context);
VINTREL_API int RemoveSlotList(BuildContext* context);
/* Deletes "SLT00000.SLT" up to the last slot image. Always 1. */
VINTREL_API int RemoveSlots(BuildContext* context);

/* Writes the PC Card image of the slot images "SLT%05d.SLT" to outputPath, byte pairs swapped,
 * through "TEMP.BXF" and "TEMP.SWP" (both removed afterwards, also after a failure); reads the
 * slot count, the size index, the custom capacity and every slot's kind and name. medium: the
 * SRAM, JEIDA or OTP card or the EPROM; others answer 0. 0, with outputPath untouched, when a slot
 * image is missing or not what its slot's kind says, the size index has no size code (custom
 * capacities below 32 KB or beyond the code's count, indexes 19 to 23), the image is larger than
 * that capacity, or a write fails (errno at its cause).
 * What each kind's image must be: a font slot (1), a macro slot (16) and the EPROM's slot (0)
 * begin with a slot header whose image size is the file's length, a macro slot at least its one
 * directory entry long; a program-data slot (128) is the bare item and must not begin with one;
 * a form slot (2) may be either. Other kinds are refused. The data a slot's format tuple points
 * at: behind the slot header and its directory entry for a macro slot (offset D + 204, size
 * L - 204, with D the image's position and L its length); the whole image (D, L) for every other
 * kind, also for a card's form slot: it is the bare form, and the D + 224, L - 224 that assume a
 * slot header and a resource header in front would cut off the form's first 224 bytes. Only a
 * form slot that does carry a slot header skips both (D + 224, L - 224). */
VINTREL_API int SLT2BXF(const char* outputPath, BuildContext* context, uint32_t medium);

/* Copies "SLT00000.SLT" to "TEMP.BXF", replacing it; after a failure (errno at the cause of a
 * failed write) no "TEMP.BXF" is left. */
VINTREL_API int CreateEPROMFile(void);
/* Writes "TEMP.BXF" to outputPath in a VINTREL_EXPORT_ format: S-record text of the
 * byte-pair-swapped image, the byte-pair-swapped image, or a plain copy; other formats answer 0,
 * and so does the S-record text for an image that is no slot image or is shorter than the image size in
 * its header. "TEMP.BXF" (and a "TEMP.HEX" an earlier export may have left) is deleted
 * afterwards, on success and on failure; nothing else in the working directory is written.
 * context is not used. */
VINTREL_API int WriteFileQRL(const char* outputPath, uint32_t format, BuildContext* context);
/* Writes the S-record text of the byte-pair-swapped slot image inputPath to outputPath; nothing
 * else is written. 0 (and outputPath untouched) when the input is not such an image or is shorter
 * than the image size in its header, or when the write fails (errno at its cause). */
VINTREL_API int BIN2HEX(const char* inputPath, const char* outputPath);

#ifdef __cplusplus
}
#endif

#endif
