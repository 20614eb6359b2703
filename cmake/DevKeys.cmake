# The development key material: an RSA-1024 pair for the request and answer envelopes, and a
# small CA with a loopback server certificate for HTTPS. Made once per build folder with the
# openssl command; the client embeds the public key and the CA, kavrin-server reads the rest.
find_program(OPENSSL_COMMAND openssl REQUIRED)
# The Windows build shares its host build's keys (cmake/WindowsBuild.cmake), so that its tests
# and the Linux kavrin-server they talk to agree.
if(NOT KAVRIN_DEVKEY_DIR)
    set(KAVRIN_DEVKEY_DIR ${CMAKE_BINARY_DIR}/devkeys)
endif()

function(kavrin_openssl)
    execute_process(COMMAND ${OPENSSL_COMMAND} ${ARGN}
        WORKING_DIRECTORY ${KAVRIN_DEVKEY_DIR}
        RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "openssl ${ARGN} failed: ${err}")
    endif()
endfunction()

if(NOT EXISTS ${KAVRIN_DEVKEY_DIR}/server.pem)
    file(MAKE_DIRECTORY ${KAVRIN_DEVKEY_DIR})
    file(WRITE ${KAVRIN_DEVKEY_DIR}/server.ext
        "basicConstraints=CA:FALSE\nsubjectAltName=IP:127.0.0.1,DNS:localhost\n"
        "keyUsage=digitalSignature,keyEncipherment\nextendedKeyUsage=serverAuth\n")
    kavrin_openssl(genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:1024 -out rsa_private.pem)
    kavrin_openssl(pkey -in rsa_private.pem -pubout -out rsa_public.pem)
    kavrin_openssl(req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=Kavrin Development CA"
        -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign
        -keyout ca.key -out ca.pem)
    kavrin_openssl(req -new -newkey rsa:2048 -nodes -subj "/CN=127.0.0.1"
        -keyout server.key -out server.csr)
    kavrin_openssl(x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 3650
        -extfile server.ext -out server.pem)
endif()

if(KAVRIN_PUBLIC_KEY)
    set(KAVRIN_EMBEDDED_PUBLIC_KEY ${KAVRIN_PUBLIC_KEY})
else()
    set(KAVRIN_EMBEDDED_PUBLIC_KEY ${KAVRIN_DEVKEY_DIR}/rsa_public.pem)
endif()
if(KAVRIN_CA_FILE STREQUAL "SYSTEM")
    set(KAVRIN_EMBEDDED_CA "")
elseif(KAVRIN_CA_FILE)
    set(KAVRIN_EMBEDDED_CA ${KAVRIN_CA_FILE})
else()
    set(KAVRIN_EMBEDDED_CA ${KAVRIN_DEVKEY_DIR}/ca.pem)
endif()
