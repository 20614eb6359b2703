/* The skin archive, linked into the program as read-only data. KAVRIN_SKIN_ZIP is the path of
   the archive the build packs from skin/. */
    .section .rodata.kavrin_skin, "a"
    .balign 16
    .globl kavrin_skin_zip_begin
    .type kavrin_skin_zip_begin, @object
kavrin_skin_zip_begin:
    .incbin KAVRIN_SKIN_ZIP
    .globl kavrin_skin_zip_end
    .type kavrin_skin_zip_end, @object
kavrin_skin_zip_end:
    .byte 0

    .section .note.GNU-stack, "", @progbits
