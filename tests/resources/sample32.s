# The smallest PE32 program: an entry point that returns. It carries resources only so
# the parser and editor meet the 32-bit optional header.
        .text
        .globl _start
_start:
        xorl %eax, %eax
        ret
